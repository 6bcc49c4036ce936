#include "app/wizard/link_menu.h"

#include <string>

#include "app/wizard/content_view.h"
#include "app/wizard/icon_editor.h"

namespace mirella::app {

namespace {

constexpr const char* kTypedPathCaption = "Выбрать файл...";
constexpr const char* kTypedPathPrompt =
    "Введите ссылку на файл или папку.\r\nНапример: C:\\Windows\\System32\\mspaint.exe";

void AskForTypedPath(MainWindowState& state) {
  std::optional<std::string> typed =
      state.services.host.InputBox(kTypedPathPrompt, kTypedPathCaption, "");
  if (typed) ChooseTypedLink(state.content, *typed);
}

}  // namespace

std::vector<ui::MenuItem> LinkMenuItems() {
  std::vector<ui::MenuItem> items;
  for (std::string_view caption : kLinkChoiceCaptions) items.push_back({std::string(caption), false});
  items.push_back({"", true});  // br2
  items.push_back({kTypedPathCaption, false});
  return items;
}

TwipsPoint LinkMenuPoint(const MainWindowState& state, int entry) {
  const MainControls& c = state.controls;
  const ui::TwipsRect& button = c.icon_link[entry]->bounds;
  // Both icon pages stand in the same place; the first one's position serves for both.
  const ui::TwipsRect& page = c.frm_frm_store[1]->bounds;
  return {page.left + c.frm_store->bounds.left + button.left,
          c.frm_store->bounds.top + page.top + button.top + button.height};
}

void OpenLinkMenu(MainWindowState& state, int entry) {
  if (entry < 0 || entry >= kEntryCount) return;
  MoveHighlight(state, entry);
  state.content.SelectedEntry = static_cast<std::int16_t>(entry);
  const TwipsPoint point = LinkMenuPoint(state, entry);
  const int chosen =
      state.services.host.PopupMenu(*state.controls.form, LinkMenuItems(), point.x, point.y);
  if (chosen >= 0 && chosen < kLinkChoiceCount) {
    ChooseLink(state.content, state.Links(), static_cast<std::int16_t>(chosen));
  } else if (chosen == kTypedPathItem) {
    AskForTypedPath(state);
  }
  ShowLinkMarks(state);
}

}  // namespace mirella::app
