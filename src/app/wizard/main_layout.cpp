#include "app/wizard/main_layout.h"

#include "app/app_identity.h"
#include "app/wizard/control_factory.h"
#include "app/wizard/settings_layout.h"

namespace mirella::app {

namespace {

using ui::ControlKind;

ui::Font MakeFont(const FontStyle& style) {
  return ui::Font{std::string(style.face), style.points, style.bold, style.underline};
}

void AddPicture(ui::Control& parent, const PictureRow& row) {
  AddImage(parent, row.name, row.index, row.bounds, row.picture).visible = row.visible;
}

void AddCommandLabels(ui::Control& page, Page which) {
  for (int index = 0; index < static_cast<int>(kCommandLabels.size()); ++index) {
    const CommandLabelRow& row = kCommandLabels[index];
    if (row.page != which) continue;
    ui::Control& label = AddLabel(page, "label", index, row.bounds, row.caption, row.alignment);
    label.visible = row.visible;
    label.font = MakeFont(MainLayout::kCommandFont);
    label.foreColour = MainLayout::kCommandDesignColour;
    if (index != kAboutPageLabel) label.pointer = ui::MousePointer::kHand;
    if (index == kAboutPageLabel) label.accessibleName = std::string(kAboutPageLabelName);
    label.activation = ui::Activation::kLink;
    label.cancel = row.cancel;
  }
}

void AddHoverArea(ui::Control& page, Page which) {
  for (int index = 0; index < static_cast<int>(kHoverAreas.size()); ++index) {
    if (kHoverAreas[index].page == which) AddImage(page, "frm_pal", index, kHoverAreas[index].bounds, "");
  }
}

ui::Control& AddPage(ui::Control& form, Page which) {
  const PageRow& row = kPages[static_cast<int>(which)];
  ui::Control& page = AddControl(form, ControlKind::kFrame, row.name, -1, MainLayout::kPage);
  page.visible = row.visible;
  page.backColour = MainLayout::kPageBack;
  return page;
}

void AddMainMenuPage(ui::Control& page) {
  AddCommandLabels(page, Page::kMain);
  for (const PictureRow& picture : kMainMenuPictures) AddPicture(page, picture);
  AddHoverArea(page, Page::kMain);
}

void AddSettingsPage(ui::Control& page) {
  AddSettingsPanels(page);
  AddCommandLabels(page, Page::kStore);
  ui::Control& outline = AddControl(page, ControlKind::kShape, "frame", -1, SettingsLayout::kOutline);
  outline.border = true;
  outline.foreColour = ui::kBlack;
  AddHoverArea(page, Page::kStore);
}

void AddAboutPage(ui::Control& page) {
  AddCommandLabels(page, Page::kHelp);  // label(5), over the whole page
  ui::Control& notice = AddLabel(page, "lbl_notice", -1, AboutLayout::kNotice,
                                 AboutLayout::kNoticeText, ui::Alignment::kCentre);
  notice.font.bold = true;
  notice.foreColour = ui::kWhite;
  AddLabel(page, "lbl_description", -1, AboutLayout::kDescription, AboutLayout::kDescriptionText,
           ui::Alignment::kCentre)
      .foreColour = ui::kWhite;
  AddLabel(page, "lbl_version", -1, AboutLayout::kVersion, AboutLayout::kVersionText,
           ui::Alignment::kRight)
      .foreColour = ui::kWhite;
  AddImage(page, "Image1", -1, AboutLayout::kPicture, AboutLayout::kPictureFile);
  AddPicture(page, AboutLayout::kIcon);
  AddHoverArea(page, Page::kHelp);
}

void AddLoadPage(ui::Control& page) {
  page.pointer = ui::MousePointer::kHourglass;
  AddTimer(page, "load", LoadPageLayout::kLoadIntervalMs, false);
  AddProgress(page, "progress", LoadPageLayout::kProgress, LoadPageLayout::kProgressCaption)
      .pointer = ui::MousePointer::kHourglass;
}

}  // namespace

std::unique_ptr<ui::Control> BuildMainForm() {
  auto form = std::make_unique<ui::Control>();
  form->kind = ControlKind::kForm;
  form->name = "main";
  form->text = std::string(kMainCaption);
  form->border = true;  // fixed single border, no minimize or maximize box
  form->bounds = MainLayout::kClient;
  form->picture = std::string(MainLayout::kBackground);

  // First child on top: the gallery opens above the pages.
  AddGallery(*form);
  AddMainMenuPage(AddPage(*form, Page::kMain));
  AddSettingsPage(AddPage(*form, Page::kStore));
  AddAboutPage(AddPage(*form, Page::kHelp));
  AddLoadPage(AddPage(*form, Page::kLoad));

  ui::Control& title = AddLabel(*form, "frm_name", -1, MainLayout::kPageTitle,
                                MainLayout::kFirstPageTitle, ui::Alignment::kRight);
  title.foreColour = ui::kWhite;
  title.font = MakeFont(MainLayout::kPageTitleFont);
  AddImage(*form, "menu_pal", -1, MainLayout::kBanner, MainLayout::kBannerPicture);
  return form;
}

}  // namespace mirella::app
