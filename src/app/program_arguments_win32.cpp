#include "app/program_arguments_win32.h"

#include <stdlib.h>
#include <windows.h>

#include "win32/wide_text.h"

namespace mirella::app {

// The C run-time has split the command line already (the Unicode entry point fills __wargv),
// so shell32.dll need not be loaded for it before the first window.
std::vector<std::string> ProgramArguments() {
  std::vector<std::string> arguments;
  if (__wargv == nullptr) return arguments;
  for (int i = 1; i < __argc; ++i) arguments.push_back(Narrow(__wargv[i]));
  return arguments;
}

}  // namespace mirella::app
