#pragma once
// The main window `main`: its client area, page title and banner, the four page frames, the
// command labels with their pictures, the hover areas, the about page and the loading page.
// The settings page and the picture gallery are laid out in settings_layout.h.

#include <array>
#include <memory>
#include <string_view>

#include "app/version.h"
#include "ui/control.h"

namespace mirella::app {

struct FontStyle {
  std::string_view face;
  double points;
  bool bold;
  bool underline;
};

struct MainLayout {
  static constexpr ui::TwipsRect kClient{0, 0, 5970, 5880};  // 398 x 392 pixels
  static constexpr std::string_view kBackground = "window/background.gif";

  // The page title above the content area, and the banner drawn below it.
  static constexpr ui::TwipsRect kPageTitle{2640, 1560, 2895, 375};
  static constexpr std::string_view kFirstPageTitle = "Главное меню";
  static constexpr FontStyle kPageTitleFont{"Arial", 14.25, true, false};
  static constexpr ui::TwipsRect kBanner{1980, 1470, 3675, 450};
  static constexpr std::string_view kBannerPicture = "window/banner.gif";

  // Every page frame stands in the same place, one visible at a time.
  static constexpr ui::TwipsRect kPage{360, 1920, 5295, 3735};
  static constexpr Colour kPageBack = ui::Rgb(0, 119, 251);

  static constexpr FontStyle kCommandFont{"Arial", 12, true, true};
  static constexpr Colour kCommandDesignColour = ui::Rgb(224, 224, 224);
};

enum class Page { kMain, kStore, kHelp, kLoad };

struct PageRow {
  std::string_view name;
  bool visible;
};

// In stacking order; indexed by Page.
inline constexpr std::array<PageRow, 4> kPages{{
    {"frm_main", true},
    {"frm_store", false},
    {"frm_help", false},
    {"frm_load", false},
}};

struct CommandLabelRow {
  Page page;
  std::string_view caption;
  ui::TwipsRect bounds;
  ui::Alignment alignment;
  bool visible;
  bool cancel;  // Escape clicks it while it is shown
};

// label(0..9), indexed by command. 0 and 1 share a slot, and so do 6 and 9.
inline constexpr std::array<CommandLabelRow, 10> kCommandLabels{{
    {Page::kMain, "Установить Mirella", {1080, 450, 3015, 375}, ui::Alignment::kLeft, true, false},
    {Page::kMain, "Настроить Mirella", {1080, 450, 3015, 375}, ui::Alignment::kLeft, false, false},
    {Page::kMain, "Посетить Сайт Кастора", {1080, 1275, 3015, 375}, ui::Alignment::kLeft,
     true, false},
    {Page::kMain, "Справка по программе", {1080, 2115, 3015, 375}, ui::Alignment::kLeft,
     true, false},
    {Page::kMain, "Выйти из программы", {1080, 2950, 3015, 375}, ui::Alignment::kLeft, true, false},
    {Page::kHelp, "", {0, 0, 5295, 3735}, ui::Alignment::kLeft, true, true},
    {Page::kStore, "Отмена", {4200, 3240, 975, 375}, ui::Alignment::kCentre, true, true},
    {Page::kStore, "Просмотр", {2280, 3240, 1215, 375}, ui::Alignment::kCentre, true, false},
    {Page::kStore, "Применить", {120, 3240, 1455, 375}, ui::Alignment::kLeft, true, false},
    {Page::kStore, "Назад", {4080, 3240, 1095, 375}, ui::Alignment::kRight, false, true},
}};
// The one command label without the pointing hand: it covers the about page.
inline constexpr int kAboutPageLabel = 5;
// It has no caption; assistive technology names it by what it does.
inline constexpr std::string_view kAboutPageLabelName = "Вернуться в главное меню";

struct PictureRow {
  std::string_view name;
  int index;
  ui::TwipsRect bounds;
  std::string_view picture;
  bool visible;
};

// The 48 x 48 pictures beside the main-menu commands.
inline constexpr std::array<PictureRow, 5> kMainMenuPictures{{
    {"iconik", 0, {240, 240, 720, 720}, "window/iconik0.gif", true},
    {"iconik", 1, {240, 240, 720, 720}, "window/iconik1.gif", false},
    {"icon", 2, {240, 1080, 720, 720}, "window/icon2.gif", true},
    {"icon", 3, {240, 1920, 720, 720}, "window/icon3.gif", true},
    {"icon", 4, {240, 2760, 720, 720}, "window/icon4.gif", true},
}};

// The picture-less hover areas frm_pal(0..2), each below every other control of its page.
struct HoverAreaRow {
  Page page;
  ui::TwipsRect bounds;
};
inline constexpr std::array<HoverAreaRow, 3> kHoverAreas{{
    {Page::kMain, {0, 120, 5295, 3615}},
    {Page::kHelp, {0, 3000, 5295, 735}},
    {Page::kStore, {0, 3120, 5415, 615}},
}};

struct AboutLayout {
  static constexpr ui::TwipsRect kNotice{720, 3360, 3735, 255};
  static constexpr std::string_view kNoticeText = "© 2026 Mirella. Все права защищены.";
  static constexpr ui::TwipsRect kDescription{720, 2880, 3735, 495};
  static constexpr std::string_view kDescriptionText =
      "Программа для создания интерактивных Рабочих столов.";
  static constexpr ui::TwipsRect kVersion{3600, 120, 1455, 255};
  static constexpr std::string_view kVersionText = "Версия " MIRELLA_VERSION " ";
  static constexpr ui::TwipsRect kPicture{0, 0, 5295, 3735};
  static constexpr std::string_view kPictureFile = "window/about.jpg";
  static constexpr PictureRow kIcon{"icon", 5, {240, 3000, 720, 720}, "window/icon5.gif", true};
};

struct LoadPageLayout {
  static constexpr int kLoadIntervalMs = 2000;
  static constexpr ui::TwipsRect kProgress{1320, 120, 2535, 255};
  static constexpr std::string_view kProgressCaption = "Подождите...";
};

// The control tree of `main`, as it stands when the window first opens.
std::unique_ptr<ui::Control> BuildMainForm();

}  // namespace mirella::app
