#include "app/wizard/content_view.h"

#include <utility>

#include "app/wizard/settings_layout.h"
#include "content/default_content.h"
#include "generate/desktop_script_reader.h"

namespace mirella::app {

namespace {

// True when the control is element `index` of the entry array.
bool IsEntryBox(const std::array<ui::Control*, kEntryCount>& boxes, const ui::Control& control) {
  return control.index >= 0 && control.index < kEntryCount && boxes[control.index] == &control;
}

constexpr std::string_view kPictureButtonName = "Значок: ";
constexpr std::string_view kLinkButtonName = "Ссылка: ";
constexpr std::string_view kLinkChosen = ", выбрана";
constexpr std::string_view kLinkNotChosen = ", не выбрана";

void ShowEntryNames(MainWindowState& state, int entry) {
  const std::string& caption = state.content.EntryCaption[entry];
  state.controls.ico[entry]->accessibleName = std::string(kPictureButtonName) + caption;
  const bool chosen = state.content.linkMark[entry] == kLinkMarked;
  state.controls.icon_link[entry]->accessibleName =
      std::string(kLinkButtonName) + caption + std::string(chosen ? kLinkChosen : kLinkNotChosen);
}

}  // namespace

void ShowDesktopTexts(MainWindowState& state) {
  MainControls& c = state.controls;
  c.title->text = state.content.title;
  c.col_1_title->text = state.content.col_1_title;
  c.col_2_title->text = state.content.col_2_title;
  c.desktop->text = state.content.desktop;
}

void ShowLinkMarks(MainWindowState& state) {
  for (int entry = 0; entry < kEntryCount; ++entry) {
    state.controls.icon_link[entry]->backColour = state.content.linkMark[entry];
    ShowEntryNames(state, entry);
  }
}

void ShowEntries(MainWindowState& state) {
  for (int entry = 0; entry < kEntryCount; ++entry) {
    state.controls.ico_title[entry]->text = state.content.EntryCaption[entry];
    state.controls.ico_desc[entry]->text = state.content.EntryDescription[entry];
    // The shown picture always names the stored number, so the editor never shows one picture
    // while the desktop would get another.
    state.controls.ico[entry]->picture = GalleryPicture(state.content.EntryPicture[entry]);
  }
  ShowLinkMarks(state);
}

void LoadDefaultContent(MainWindowState& state) {
  SetValues(state.content, state.Links());
  ShowEntries(state);
}

bool LoadInstalledContent(MainWindowState& state) {
  const MainServices& s = state.services;
  auto installed = ReadDesktopScriptFile(s.environment.ProgramFolder(), s.files, s.codePage);
  if (!installed) return false;
  DesktopContent read = std::move(installed).value();
  // The file holds neither the selected entry nor the system drive: those stay as they are.
  read.SelectedEntry = state.content.SelectedEntry;
  read.SystemDrive = std::move(state.content.SystemDrive);
  for (int entry = 0; entry < kEntryCount; ++entry) {
    read.linkMark[entry] = read.EntryLink[entry].empty() ? kLinkUnmarked : kLinkMarked;
  }
  state.content = std::move(read);
  ShowDesktopTexts(state);
  ShowEntries(state);
  return true;
}

bool StoreTypedText(MainWindowState& state, const ui::Control& textBox) {
  MainControls& c = state.controls;
  DesktopContent& content = state.content;
  if (&textBox == c.title) {
    content.title = textBox.text;
  } else if (&textBox == c.col_1_title) {
    content.col_1_title = textBox.text;
  } else if (&textBox == c.col_2_title) {
    content.col_2_title = textBox.text;
  } else if (&textBox == c.desktop) {
    content.desktop = textBox.text;
  } else if (IsEntryBox(c.ico_title, textBox)) {
    SetEntryCaption(content, textBox.index, textBox.text);
    ShowEntryNames(state, textBox.index);
  } else if (IsEntryBox(c.ico_desc, textBox)) {
    SetEntryDescription(content, textBox.index, textBox.text);
  } else {
    return false;
  }
  return true;
}

}  // namespace mirella::app
