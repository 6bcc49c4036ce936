#pragma once
// The "Просмотр" command: the desktop as it would look with the current edits, in the browser.

#include "app/main_window_state.h"

namespace mirella::app {

void ShowPreview(MainWindowState& state);

}  // namespace mirella::app
