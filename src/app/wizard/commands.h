#pragma once
// The command labels label(0..9): one click handler dispatches on the label's index.

#include <cstddef>

#include "app/wizard/main_window_state.h"

namespace mirella::app {

// The command of label(i) is Command(i).
enum class Command {
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

// label(command).
inline ui::Control& CommandLabel(const MainControls& controls, Command command) {
  return *controls.label[static_cast<std::size_t>(command)];
}

// What a click on label(command) does.
void RunCommand(MainWindowState& state, Command command);

}  // namespace mirella::app
