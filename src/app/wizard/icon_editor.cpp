#include "app/wizard/icon_editor.h"

#include "app/wizard/commands.h"
#include "app/wizard/navigation.h"

namespace mirella::app {

namespace {

constexpr int kLeftColumnPictureLeft = 120;

bool IsEntry(int entry) { return entry >= 0 && entry < kEntryCount; }

}  // namespace

void OpenIconPage(MainWindowState& state, int page) {
  if (page != 1 && page != 2) return;
  MainControls& c = state.controls;
  SwitchFrame(*c.frm_name, *c.frm_frm_store[0], *c.frm_frm_store[page], "");
  SwitchButton(CommandLabel(c, Command::kCancel), CommandLabel(c, Command::kBack));
}

void LeaveIconPage(MainWindowState& state) {
  MainControls& c = state.controls;
  c.frm_frm_store[1]->visible = false;
  c.frm_frm_store[2]->visible = false;
  c.frm_frm_store[0]->visible = true;
  SwitchButton(CommandLabel(c, Command::kBack), CommandLabel(c, Command::kCancel));
}

void MoveHighlight(MainWindowState& state, int entry) {
  if (!IsEntry(entry)) return;
  const ui::TwipsRect& picture = state.controls.ico[entry]->bounds;
  for (ui::Control* highlight : state.controls.ico_selected) {
    highlight->bounds.top = picture.top;
    highlight->bounds.left = picture.left;
  }
}

int GalleryLeftFor(const MainControls& c, int entry) {
  const ui::TwipsRect& picture = c.ico[entry]->bounds;
  // Both icon pages stand in the same place; the first one's position serves for both.
  const int base = c.frm_frm_store[1]->bounds.left + c.frm_store->bounds.left + picture.left;
  if (picture.left > kLeftColumnPictureLeft) return base - c.ico_bar->bounds.width + picture.width;
  return base + picture.width;
}

void OpenGallery(MainWindowState& state, int entry) {
  if (!IsEntry(entry)) return;
  state.content.SelectedEntry = static_cast<std::int16_t>(entry);
  MoveHighlight(state, entry);
  state.controls.ico_bar->bounds.left = GalleryLeftFor(state.controls, entry);
  state.controls.ico_bar->visible = true;
}

void PickPicture(MainWindowState& state, int position) {
  if (position < 0 || position >= kPictureCount) return;
  MainControls& c = state.controls;
  c.ico_bar->visible = false;
  const int selected = state.content.SelectedEntry;
  if (!IsEntry(selected)) return;
  c.ico[selected]->picture = c.ico_item[position]->picture;
  state.content.EntryPicture[selected] = static_cast<std::int16_t>(position);
}

}  // namespace mirella::app
