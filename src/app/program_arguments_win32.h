#pragma once
// The running program's command-line arguments, split as the C run-time splits them.

#include <string>
#include <vector>

namespace mirella::app {

// The arguments after the program's name, in UTF-8.
std::vector<std::string> ProgramArguments();

}  // namespace mirella::app
