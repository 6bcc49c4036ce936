#pragma once
// The install path: the loading page waits two seconds on its `load` timer, then runs its progress
// bar, loads the default content, writes the theme page and opens the settings page.

#include "app/wizard/main_window_state.h"

namespace mirella::app {

// Command 0: shows the loading page titled "Установка" and starts the one-shot `load` timer.
void StartLoading(MainWindowState& state);

// The first tick of `load`. A tick after the timer was disabled does nothing, so a tick already
// queued while a message box runs cannot start the sequence twice.
void RunLoadingSequence(MainWindowState& state);

}  // namespace mirella::app
