#pragma once
// The settings page `frm_store`: its three sub-panels (the general page and the two icon pages),
// and the picture gallery `ico_bar` that opens beside an entry's picture.

#include <array>
#include <string>
#include <string_view>

#include "content/desktop_content.h"
#include "ui/control.h"

namespace mirella::app {

struct SettingsLayout {
  // frm_frm_store(0..2) share one rectangle inside the settings page.
  static constexpr ui::TwipsRect kSubPanel{120, 120, 5055, 2895};
  static constexpr Colour kSubPanelBack = ui::Rgb(114, 167, 254);
  static constexpr ui::TwipsRect kOutline{105, 105, 5085, 2920};  // the shape `frame`
};

// A caption label and the input it names, on the general page.
struct CaptionedInput {
  std::string_view caption;
  ui::TwipsRect captionBounds;
  std::string_view input;
  ui::TwipsRect inputBounds;
};

// The general page frm_frm_store(0), from top to bottom: theme, title, the "Колонки" frame with
// one row per column, and the bottom-bar text.
struct GeneralPageLayout {
  static constexpr CaptionedInput kTheme{
      "Тема Рабочего стола:", {120, 90, 4815, 225}, "theme", {120, 315, 4815, 315}};
  static constexpr std::string_view kThemeItem = "Стандартная голубая (по умолчанию)";
  static constexpr CaptionedInput kTitle{
      "Заголовок Рабочего стола:", {120, 690, 4815, 225}, "title", {120, 915, 4815, 285}};
  static constexpr ui::TwipsRect kColumnsFrame{120, 1275, 4815, 1005};
  static constexpr std::string_view kColumnsCaption = "Колонки";
  static constexpr CaptionedInput kBottomText{"Надпись Рабочего стола в нижней полосе:",
                                              {120, 2325, 4815, 225},
                                              "desktop",
                                              {120, 2550, 4815, 285}};
  static constexpr std::string_view kColumnButtonText = "Значки";
  static constexpr Colour kColumnButtonBack = ui::Rgb(224, 224, 224);
};

// Inside the "Колонки" frame: row k - 1 for column k, with its "Значки" label btn_icons(k).
struct ColumnRow {
  CaptionedInput field;
  ui::TwipsRect iconsButton;
};
inline constexpr std::array<ColumnRow, 2> kColumnRows{{
    {{"Заголовок колонки 1:", {120, 240, 1755, 225}, "col_1_title", {1920, 210, 1935, 285}},
     {3960, 210, 735, 285}},
    {{"Заголовок колонки 2:", {120, 630, 1755, 225}, "col_2_title", {1920, 600, 1935, 285}},
     {3960, 600, 735, 285}},
}};

// The icon pages: frm_frm_store(1) holds entries 0..4, frm_frm_store(2) entries 5..10, in two
// columns of up to three rows. Each entry is placed by its picture's top-left corner.
struct EntrySlot {
  int page;  // 1 or 2
  int left;
  int top;
};
inline constexpr std::array<EntrySlot, kEntryCount> kEntrySlots{{
    {1, 120, 120}, {1, 120, 1080}, {1, 120, 1920}, {1, 2520, 120}, {1, 2520, 1080},
    {2, 120, 120}, {2, 120, 1080}, {2, 120, 1920}, {2, 2520, 120}, {2, 2520, 1080},
    {2, 2520, 1920},
}};

struct EntryLayout {
  static constexpr int kPictureSize = 720;
  static constexpr int kTextLeft = 720;  // caption and description boxes, from the picture
  static constexpr int kTitleWidth = 1335;
  static constexpr int kDescriptionTop = 360;
  static constexpr int kDescriptionWidth = 1575;
  static constexpr int kBoxHeight = 285;
  static constexpr int kLinkLeft = 2040;
  static constexpr int kLinkSize = 255;
  static constexpr std::string_view kLinkCaption = "...";
  static constexpr std::string_view kLinkTooltip = "Ссылка";
  // Names for assistive technology, followed by the entry's number counted from 1.
  static constexpr std::string_view kCaptionBoxName = "Подпись значка ";
  static constexpr std::string_view kDescriptionBoxName = "Описание значка ";
  // The caption box and link button sit a little lower on the second page.
  static constexpr int RowOffset(int page) { return page == 1 ? 40 : 45; }

  // ico_selected(0) on page 1 and (1) on page 2, behind the entry's controls.
  static constexpr ui::TwipsRect kHighlight{120, 120, 2415, 735};
  static constexpr Colour kHighlightBack = ui::Rgb(221, 240, 255);
};

// Each control of entry i, in page coordinates.
ui::TwipsRect EntryPictureBounds(int entry);
ui::TwipsRect EntryTitleBounds(int entry);
ui::TwipsRect EntryDescriptionBounds(int entry);
ui::TwipsRect EntryLinkBounds(int entry);

// The gallery ico_bar, placed on the window above the pages; hidden until a picture is clicked.
struct GalleryLayout {
  static constexpr ui::TwipsRect kBar{1320, 2040, 3135, 3375};
  static constexpr Colour kBack = ui::Rgb(221, 240, 255);
  static constexpr int kColumns = 4;
  static constexpr int kFirstLeft = 120;
  static constexpr int kFirstTop = 120;
  static constexpr int kColumnStep = 720;
  static constexpr int kRowStep = 600;  // a picture's lower 120 twips overlap the next row
  // A picture's name for assistive technology, followed by its position counted from 1.
  static constexpr std::string_view kPictureName = "Рисунок ";
};
ui::TwipsRect GalleryItemBounds(int position);

// "icons/<n>.gif": gallery picture n, shipped inside the program.
std::string GalleryPicture(int number);

// Adds the settings page's contents (sub-panels, outline, hover area, command labels excluded).
void AddSettingsPanels(ui::Control& settingsPage);
// Adds the hidden gallery with its twenty pictures to the window.
void AddGallery(ui::Control& form);

}  // namespace mirella::app
