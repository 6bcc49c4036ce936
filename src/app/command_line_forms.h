#pragma once
// desktop.exe's command-line forms: "/restore" puts the previous desktop back after asking,
// "/restore /quiet" does so without any window. Their exit codes: 0 restored, 1 nothing was
// saved (or the user said no), 2 failed or the command line was wrong; with "/quiet" anywhere on
// it no window ever appears.

#include <optional>
#include <string>
#include <vector>

#include "install/restore.h"
#include "ui/host.h"

namespace mirella::app {

inline constexpr int kExitRestored = 0;
inline constexpr int kExitNothingRestored = 1;
inline constexpr int kExitFailed = 2;

// Runs what the arguments ask for, showing its messages through the host unless told to be
// quiet, and returns the exit code; nullopt when there are no arguments and the wizard runs.
std::optional<int> RunCommandLine(const std::vector<std::string>& arguments, ui::Host& host,
                                  const RestoreServices& services);

}  // namespace mirella::app
