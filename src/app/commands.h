#pragma once
// The command labels label(0..9): one click handler dispatches on the label's index.

#include "app/main_window_state.h"

namespace mirella::app {

enum Command {
  kInstall = 0,
  kConfigure = 1,
  kWebSite = 2,
  kHelp = 3,
  kExit = 4,
  kAboutPage = 5,
  kCancel = 6,
  kPreview = 7,
  kApply = 8,
  kBack = 9,
};

// Runs the command of label(index); any other index does nothing.
void RunCommand(MainWindowState& state, int index);

}  // namespace mirella::app
