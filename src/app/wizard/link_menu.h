#pragma once
// The link menu `popup` under an entry's link button: the eight places, a separator and
// "Выбрать файл...", which asks for a path in an input box.

#include <vector>

#include "app/wizard/main_window_state.h"
#include "ui/host.h"

namespace mirella::app {

struct TwipsPoint {
  int x = 0;
  int y = 0;
};

// l(0)..l(7), the separator br2 and l_file, in menu order.
std::vector<ui::MenuItem> LinkMenuItems();
inline constexpr int kTypedPathItem = 9;  // l_file

// The menu's top-left corner: the bottom-left corner of icon_link(entry), in the window's client
// area.
TwipsPoint LinkMenuPoint(const MainWindowState& state, int entry);

// icon_link(entry) clicked: highlights and selects the entry, shows the menu and stores the
// choice as the entry's link; the link buttons then show the marks.
void OpenLinkMenu(MainWindowState& state, int entry);

}  // namespace mirella::app
