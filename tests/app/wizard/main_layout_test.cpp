#include "app/wizard/main_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/version.h"
#include "app/wizard/splash_layout.h"
#include "content/default_content.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"

namespace mirella::testing {
namespace {

struct Placement {
  const char* parent;
  int parentIndex;
  const char* name;
  int index;
  ui::TwipsRect bounds;
  bool visible;
};

// The window descriptions' positions, in twips relative to the parent.
const std::vector<Placement> kMainPlacements = {
    {"main", -1, "frm_name", -1, {2640, 1560, 2895, 375}, true},
    {"main", -1, "menu_pal", -1, {1980, 1470, 3675, 450}, true},
    {"main", -1, "frm_main", -1, {360, 1920, 5295, 3735}, true},
    {"main", -1, "frm_store", -1, {360, 1920, 5295, 3735}, false},
    {"main", -1, "frm_help", -1, {360, 1920, 5295, 3735}, false},
    {"main", -1, "frm_load", -1, {360, 1920, 5295, 3735}, false},
    {"frm_main", -1, "label", 0, {1080, 450, 3015, 375}, true},
    {"frm_main", -1, "label", 1, {1080, 450, 3015, 375}, false},
    {"frm_main", -1, "label", 2, {1080, 1275, 3015, 375}, true},
    {"frm_main", -1, "label", 3, {1080, 2115, 3015, 375}, true},
    {"frm_main", -1, "label", 4, {1080, 2950, 3015, 375}, true},
    {"frm_help", -1, "label", 5, {0, 0, 5295, 3735}, true},
    {"frm_store", -1, "label", 6, {4200, 3240, 975, 375}, true},
    {"frm_store", -1, "label", 7, {2280, 3240, 1215, 375}, true},
    {"frm_store", -1, "label", 8, {120, 3240, 1455, 375}, true},
    {"frm_store", -1, "label", 9, {4080, 3240, 1095, 375}, false},
    {"frm_main", -1, "iconik", 0, {240, 240, 720, 720}, true},
    {"frm_main", -1, "iconik", 1, {240, 240, 720, 720}, false},
    {"frm_main", -1, "icon", 2, {240, 1080, 720, 720}, true},
    {"frm_main", -1, "icon", 3, {240, 1920, 720, 720}, true},
    {"frm_main", -1, "icon", 4, {240, 2760, 720, 720}, true},
    {"frm_help", -1, "icon", 5, {240, 3000, 720, 720}, true},
    {"frm_main", -1, "frm_pal", 0, {0, 120, 5295, 3615}, true},
    {"frm_help", -1, "frm_pal", 1, {0, 3000, 5295, 735}, true},
    {"frm_store", -1, "frm_pal", 2, {0, 3120, 5415, 615}, true},
    {"frm_store", -1, "frm_frm_store", 0, {120, 120, 5055, 2895}, true},
    {"frm_store", -1, "frm_frm_store", 1, {120, 120, 5055, 2895}, false},
    {"frm_store", -1, "frm_frm_store", 2, {120, 120, 5055, 2895}, false},
    {"frm_store", -1, "frame", -1, {105, 105, 5085, 2920}, true},
    {"frm_frm_frm_cols", -1, "btn_icons", 1, {3960, 210, 735, 285}, true},
    {"frm_frm_frm_cols", -1, "btn_icons", 2, {3960, 600, 735, 285}, true},
    {"frm_frm_store", 1, "ico_selected", 0, {120, 120, 2415, 735}, true},
    {"frm_frm_store", 2, "ico_selected", 1, {120, 120, 2415, 735}, true},
    {"frm_help", -1, "lbl_notice", -1, {720, 3360, 3735, 255}, true},
    {"frm_help", -1, "lbl_description", -1, {720, 2880, 3735, 495}, true},
    {"frm_help", -1, "lbl_version", -1, {3600, 120, 1455, 255}, true},
    {"frm_load", -1, "progress", -1, {1320, 120, 2535, 255}, true},
};

void ExpectPlaced(ui::Control& form, const Placement& p) {
  SCOPED_TRACE(std::string(p.name) + "(" + std::to_string(p.index) + ")");
  const ui::Control* control = form.Find(p.name, p.index);
  ASSERT_NE(control, nullptr);
  ASSERT_NE(control->parent, nullptr);
  if (std::string(p.parent) != "main") {
    EXPECT_EQ(control->parent->name, p.parent);
    EXPECT_EQ(control->parent->index, p.parentIndex);
  }
  EXPECT_EQ(control->bounds.left, p.bounds.left);
  EXPECT_EQ(control->bounds.top, p.bounds.top);
  EXPECT_EQ(control->bounds.width, p.bounds.width);
  EXPECT_EQ(control->bounds.height, p.bounds.height);
  EXPECT_EQ(control->visible, p.visible);
}

TEST(MainLayout, EveryControlStandsWhereTheWindowDescriptionPutsIt) {
  auto form = app::BuildMainForm();
  EXPECT_EQ(form->kind, ui::ControlKind::kForm);
  EXPECT_EQ(form->text, "Mirella v. " MIRELLA_VERSION);
  EXPECT_TRUE(form->border);
  EXPECT_EQ(form->bounds.width, 5970);
  EXPECT_EQ(form->bounds.height, 5880);
  for (const Placement& p : kMainPlacements) ExpectPlaced(*form, p);

  // The entries: picture corners by slot, the boxes and button relative to them.
  const int corners[kEntryCount][2] = {{120, 120},  {120, 1080},  {120, 1920}, {2520, 120},
                                       {2520, 1080}, {120, 120},  {120, 1080}, {120, 1920},
                                       {2520, 120}, {2520, 1080}, {2520, 1920}};
  for (int i = 0; i < kEntryCount; ++i) {
    const int page = i < 5 ? 1 : 2;
    const int l = corners[i][0], t = corners[i][1], row = page == 1 ? 40 : 45;
    ExpectPlaced(*form, {"frm_frm_store", page, "ico", i, {l, t, 720, 720}, true});
    ExpectPlaced(*form, {"frm_frm_store", page, "ico_title", i, {l + 720, t + row, 1335, 285}, true});
    ExpectPlaced(*form, {"frm_frm_store", page, "ico_desc", i, {l + 720, t + 360, 1575, 285}, true});
    ExpectPlaced(*form, {"frm_frm_store", page, "icon_link", i, {l + 2040, t + row, 255, 255}, true});
  }
  for (int k = 0; k < kPictureCount; ++k) {
    ExpectPlaced(*form, {"ico_bar", -1, "ico_item", k, {120 + 720 * (k % 4), 120 + 600 * (k / 4), 720, 720}, true});
  }
  const ui::Control& gallery = *form->Find("ico_bar");
  EXPECT_FALSE(gallery.visible);
  EXPECT_EQ(gallery.bounds.top, 2040);
  EXPECT_EQ(gallery.bounds.width, 3135);
  EXPECT_EQ(gallery.bounds.height, 3375);
}

TEST(MainLayout, TheGeneralPageFitsItsPanelWithoutOverlaps) {
  auto form = app::BuildMainForm();
  const ui::Control& panel = *form->Find("frm_frm_store", 0);
  std::vector<const ui::Control*> placed;
  for (const auto& child : panel.children) placed.push_back(child.get());
  const ui::Control& columns = *form->Find("frm_frm_frm_cols");
  EXPECT_EQ(columns.text, "Колонки");
  for (const char* name : {"lbl_theme", "theme", "lbl_title", "title", "frm_frm_frm_cols",
                           "lbl_desktop", "desktop"}) {
    EXPECT_NE(panel.Find(name), nullptr) << name;
  }
  auto overlap = [](const ui::TwipsRect& a, const ui::TwipsRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
  };
  auto check = [&](const ui::Control& parent) {
    for (std::size_t i = 0; i < parent.children.size(); ++i) {
      const ui::TwipsRect& a = parent.children[i]->bounds;
      EXPECT_GE(a.left, 0);
      EXPECT_GE(a.top, 0);
      EXPECT_LE(a.left + a.width, parent.bounds.width) << parent.children[i]->name;
      EXPECT_LE(a.top + a.height, parent.bounds.height) << parent.children[i]->name;
      for (std::size_t j = i + 1; j < parent.children.size(); ++j) {
        EXPECT_FALSE(overlap(a, parent.children[j]->bounds))
            << parent.children[i]->name << " / " << parent.children[j]->name;
      }
    }
  };
  check(panel);
  check(columns);
  EXPECT_EQ(form->Find("lbl_title")->text, "Заголовок Рабочего стола:");
  EXPECT_EQ(form->Find("lbl_desktop")->text, "Надпись Рабочего стола в нижней полосе:");
  EXPECT_EQ(form->Find("lbl_col_2_title")->text, "Заголовок колонки 2:");
  EXPECT_EQ(form->Find("theme")->items, std::vector<std::string>{"Стандартная голубая (по умолчанию)"});
}

TEST(MainLayout, LooksAndStacking) {
  auto form = app::BuildMainForm();
  for (int i = 0; i < 10; ++i) {
    const ui::Control& label = *form->Find("label", i);
    EXPECT_EQ(label.font.face, "Arial");
    EXPECT_EQ(label.font.points, 12);
    EXPECT_TRUE(label.font.bold && label.font.underline);
    EXPECT_TRUE(label.transparent);
    EXPECT_EQ(label.foreColour, ui::Rgb(224, 224, 224));
    EXPECT_EQ(label.pointer, i == 5 ? ui::MousePointer::kDefault : ui::MousePointer::kHand) << i;
  }
  EXPECT_EQ(form->Find("label", 2)->text, "Посетить Сайт Кастора");
  EXPECT_EQ(form->Find("label", 9)->alignment, ui::Alignment::kRight);
  const ui::Control& title = *form->Find("frm_name");
  EXPECT_EQ(title.text, "Главное меню");
  EXPECT_EQ(title.font.points, 14.25);
  EXPECT_EQ(title.foreColour, ui::kWhite);
  EXPECT_EQ(title.alignment, ui::Alignment::kRight);
  for (const char* page : {"frm_main", "frm_store", "frm_help", "frm_load"}) {
    EXPECT_EQ(form->Find(page)->backColour, ui::Rgb(0, 119, 251)) << page;
    const auto& children = form->Find(page)->children;
    if (std::string(page) != "frm_load") {
      EXPECT_EQ(children.back()->name, "frm_pal") << page;
    }
  }
  EXPECT_EQ(form->Find("frm_load")->pointer, ui::MousePointer::kHourglass);
  const ui::Control& load = *form->Find("load");
  EXPECT_EQ(load.interval, 2000);
  EXPECT_FALSE(load.enabled);
  EXPECT_EQ(form->Find("progress")->progress->Caption(), "Подождите...");
  EXPECT_EQ(form->Find("progress")->progress->Value(), 15);
  EXPECT_EQ(form->Find("btn_icons", 1)->backColour, ui::Rgb(224, 224, 224));
  EXPECT_TRUE(form->Find("btn_icons", 1)->border);
  EXPECT_EQ(form->Find("btn_icons", 2)->text, "Значки");
  EXPECT_EQ(form->Find("ico_bar")->backColour, ui::Rgb(221, 240, 255));
  EXPECT_EQ(form->Find("ico_selected", 1)->backColour, ui::Rgb(221, 240, 255));
  EXPECT_EQ(form->Find("frm_frm_store", 2)->backColour, ui::Rgb(114, 167, 254));
  const ui::Control& link = *form->Find("icon_link", 4);
  EXPECT_EQ(link.text, "...");
  EXPECT_EQ(link.tooltip, "Ссылка");
  EXPECT_EQ(link.backColour, kLinkUnmarked);
  EXPECT_EQ(form->Find("icon_link", 6)->backColour, kLinkMarked);
  EXPECT_EQ(form->Find("iconik", 1)->picture, "window/iconik1.gif");
  EXPECT_EQ(form->Find("Image1")->picture, "window/about.jpg");
  EXPECT_EQ(form->Find("lbl_version")->text, "Версия " MIRELLA_VERSION " ");

  // First child on top: the gallery above the pages, the title above the banner, each page's
  // highlight behind its entries.
  const auto& top = form->children;
  auto position = [&](const char* name) {
    for (std::size_t i = 0; i < top.size(); ++i) if (top[i]->name == name) return i;
    return top.size();
  };
  EXPECT_LT(position("ico_bar"), position("frm_main"));
  EXPECT_LT(position("frm_name"), position("menu_pal"));
  EXPECT_EQ(form->Find("frm_frm_store", 1)->children.back()->name, "ico_selected");
  EXPECT_EQ(form->Find("frm_help")->children.front()->name, "label");
}

TEST(MainLayout, EachEntryStartsShowingThePictureOfItsDefaultNumber) {
  auto form = app::BuildMainForm();
  FakeEnvironment environment;
  FakeRegistry registry;
  FakeFileSystem files;
  DesktopContent content;
  SetValues(content, LinkSources{environment, registry, files});
  for (int i = 0; i < kEntryCount; ++i) {
    EXPECT_EQ(form->Find("ico", i)->picture, "icons/" + std::to_string(content.EntryPicture[i]) + ".gif");
  }
  EXPECT_EQ(form->Find("ico", 6)->picture, "icons/4.gif");
}

TEST(SplashLayout, BorderlessPictureWithBarTimerAndVersion) {
  auto form = app::BuildSplashForm();
  EXPECT_FALSE(form->border);
  EXPECT_EQ(form->bounds.width, 9360);
  EXPECT_EQ(form->bounds.height, 3045);
  EXPECT_EQ(form->picture, "window/splash.bmp");
  EXPECT_EQ(form->pointer, ui::MousePointer::kHourglass);
  ExpectPlaced(*form, {"splash", -1, "mirella_progress", -1, {2880, 2280, 5175, 255}, true});
  ExpectPlaced(*form, {"splash", -1, "version", -1, {8280, 2760, 975, 255}, true});
  EXPECT_EQ(form->Find("version")->text, "Версия " MIRELLA_VERSION);
  EXPECT_EQ(form->Find("version")->alignment, ui::Alignment::kRight);
  EXPECT_EQ(form->Find("mirella_progress")->progress->Caption(), "Запуск программы...");
  const ui::Control& loading = *form->Find("loading");
  EXPECT_EQ(loading.interval, 10);
  EXPECT_TRUE(loading.enabled);
}

}  // namespace
}  // namespace mirella::testing
