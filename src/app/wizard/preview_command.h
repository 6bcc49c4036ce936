#pragma once
// The "Просмотр" command: the desktop as it would look with the current edits, in the browser,
// without touching the installed desktop.

#include "app/wizard/main_window_state.h"

namespace mirella::app {

// Writes the preview into the user's temporary folder and opens it with the shell; a preview
// that cannot be written is reported and nothing is opened.
void ShowPreview(MainWindowState& state);

}  // namespace mirella::app
