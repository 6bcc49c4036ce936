#include "app/wizard/settings_layout.h"

#include "app/wizard/control_factory.h"
#include "content/default_content.h"

namespace mirella::app {

namespace {

using ui::ControlKind;

ui::TwipsRect Offset(const EntrySlot& slot, int left, int top, int width, int height) {
  return {slot.left + left, slot.top + top, width, height};
}

void AddCaptionedInput(ui::Control& parent, const CaptionedInput& row, ControlKind inputKind) {
  AddLabel(parent, "lbl_" + std::string(row.input), -1, row.captionBounds, row.caption);
  AddControl(parent, inputKind, row.input, -1, row.inputBounds).accessibleName =
      std::string(row.caption);
}

ui::Control& AddSubPanel(ui::Control& settingsPage, int index) {
  ui::Control& panel =
      AddControl(settingsPage, ControlKind::kFrame, "frm_frm_store", index, SettingsLayout::kSubPanel);
  panel.backColour = SettingsLayout::kSubPanelBack;
  panel.visible = index == 0;
  return panel;
}

void AddGeneralPage(ui::Control& panel) {
  AddCaptionedInput(panel, GeneralPageLayout::kTheme, ControlKind::kComboBox);
  ui::Control& theme = *panel.Find(std::string(GeneralPageLayout::kTheme.input));
  theme.items = {std::string(GeneralPageLayout::kThemeItem)};

  AddCaptionedInput(panel, GeneralPageLayout::kTitle, ControlKind::kTextBox);

  ui::Control& columns =
      AddControl(panel, ControlKind::kFrame, "frm_frm_frm_cols", -1, GeneralPageLayout::kColumnsFrame);
  columns.text = std::string(GeneralPageLayout::kColumnsCaption);
  columns.border = true;
  columns.backColour = SettingsLayout::kSubPanelBack;
  for (int row = 0; row < static_cast<int>(kColumnRows.size()); ++row) {
    const ColumnRow& columnRow = kColumnRows[row];
    AddCaptionedInput(columns, columnRow.field, ControlKind::kTextBox);
    ui::Control& button = AddLabel(columns, "btn_icons", row + 1, columnRow.iconsButton,
                                   GeneralPageLayout::kColumnButtonText, ui::Alignment::kCentre);
    button.transparent = false;
    button.border = true;
    button.backColour = GeneralPageLayout::kColumnButtonBack;
    button.pointer = ui::MousePointer::kHand;
    button.activation = ui::Activation::kPushButton;
  }

  AddCaptionedInput(panel, GeneralPageLayout::kBottomText, ControlKind::kTextBox);
}

void AddEntry(ui::Control& panel, int entry) {
  ui::Control& picture =
      AddImage(panel, "ico", entry, EntryPictureBounds(entry), GalleryPicture(DefaultPicture(entry)));
  picture.pointer = ui::MousePointer::kHand;
  picture.activation = ui::Activation::kPushButton;
  // The entries have no caption labels; they are named by their number as the user counts.
  const std::string number = std::to_string(entry + 1);
  AddControl(panel, ControlKind::kTextBox, "ico_title", entry, EntryTitleBounds(entry))
      .accessibleName = std::string(EntryLayout::kCaptionBoxName) + number;
  AddControl(panel, ControlKind::kTextBox, "ico_desc", entry, EntryDescriptionBounds(entry))
      .accessibleName = std::string(EntryLayout::kDescriptionBoxName) + number;
  ui::Control& link = AddControl(panel, ControlKind::kButton, "icon_link", entry, EntryLinkBounds(entry));
  link.text = std::string(EntryLayout::kLinkCaption);
  link.tooltip = std::string(EntryLayout::kLinkTooltip);
  link.backColour = DesktopContent{}.linkMark[entry];
}

void AddIconPage(ui::Control& panel, int page) {
  for (int entry = 0; entry < kEntryCount; ++entry) {
    if (kEntrySlots[entry].page == page) AddEntry(panel, entry);
  }
  // Last child, so it lies behind every entry's controls.
  ui::Control& highlight =
      AddControl(panel, ControlKind::kShape, "ico_selected", page - 1, EntryLayout::kHighlight);
  highlight.filled = true;
  highlight.border = false;
  highlight.backColour = EntryLayout::kHighlightBack;
}

}  // namespace

ui::TwipsRect EntryPictureBounds(int entry) {
  return Offset(kEntrySlots[entry], 0, 0, EntryLayout::kPictureSize, EntryLayout::kPictureSize);
}

ui::TwipsRect EntryTitleBounds(int entry) {
  const EntrySlot& slot = kEntrySlots[entry];
  return Offset(slot, EntryLayout::kTextLeft, EntryLayout::RowOffset(slot.page),
                EntryLayout::kTitleWidth, EntryLayout::kBoxHeight);
}

ui::TwipsRect EntryDescriptionBounds(int entry) {
  return Offset(kEntrySlots[entry], EntryLayout::kTextLeft, EntryLayout::kDescriptionTop,
                EntryLayout::kDescriptionWidth, EntryLayout::kBoxHeight);
}

ui::TwipsRect EntryLinkBounds(int entry) {
  const EntrySlot& slot = kEntrySlots[entry];
  return Offset(slot, EntryLayout::kLinkLeft, EntryLayout::RowOffset(slot.page),
                EntryLayout::kLinkSize, EntryLayout::kLinkSize);
}

ui::TwipsRect GalleryItemBounds(int position) {
  const int column = position % GalleryLayout::kColumns;
  const int row = position / GalleryLayout::kColumns;
  return {GalleryLayout::kFirstLeft + GalleryLayout::kColumnStep * column,
          GalleryLayout::kFirstTop + GalleryLayout::kRowStep * row, EntryLayout::kPictureSize,
          EntryLayout::kPictureSize};
}

std::string GalleryPicture(int number) { return "icons/" + std::to_string(number) + ".gif"; }

void AddSettingsPanels(ui::Control& settingsPage) {
  AddGeneralPage(AddSubPanel(settingsPage, 0));
  AddIconPage(AddSubPanel(settingsPage, 1), 1);
  AddIconPage(AddSubPanel(settingsPage, 2), 2);
}

void AddGallery(ui::Control& form) {
  ui::Control& bar = AddControl(form, ControlKind::kFrame, "ico_bar", -1, GalleryLayout::kBar);
  bar.tabGroup = true;  // one Tab stop; the arrows walk the pictures
  bar.visible = false;
  bar.backColour = GalleryLayout::kBack;
  for (int position = 0; position < kPictureCount; ++position) {
    ui::Control& item =
        AddImage(bar, "ico_item", position, GalleryItemBounds(position), GalleryPicture(position));
    item.pointer = ui::MousePointer::kHand;
    item.activation = ui::Activation::kPushButton;
    item.accessibleName = std::string(GalleryLayout::kPictureName) + std::to_string(position + 1);
  }
}

}  // namespace mirella::app
