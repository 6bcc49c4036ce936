#pragma once
// The "Применить" command: installs the edited desktop and tells the user how it went.

#include "app/wizard/main_window_state.h"

namespace mirella::app {

// Runs Apply and shows its message: a refusal or a failure leaves the user on the settings page,
// success ends the program once the message is closed.
void RunApply(MainWindowState& state);

}  // namespace mirella::app
