#pragma once
// What desktop.exe is asked to do by its command line.

#include <string>
#include <vector>

namespace mirella::app {

enum class LaunchMode {
  kWizard,          // no arguments: the splash and the main window
  kRestore,         // "/restore": ask, put the previous desktop back, say how it went
  kRestoreQuietly,  // "/restore /quiet": the same without any window, for the uninstaller
  kLayer,           // "/layer": the desktop layer, resident, with no window but its own
  kUnknown,         // anything else: the forms are listed in a message box
  kUnknownQuietly,  // anything else with "/quiet" among it: no window at all, exit code 2
};

// The arguments after the program's name, in UTF-8. Switches are read in any order and without
// regard to case; each may be given once.
LaunchMode ParseLaunchMode(const std::vector<std::string>& arguments);

}  // namespace mirella::app
