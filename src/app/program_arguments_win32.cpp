#include "app/program_arguments_win32.h"

#include <windows.h>
#include <shellapi.h>

#include "system/handles_win32.h"
#include "system/wide_text_win32.h"

namespace mirella::app {

std::vector<std::string> ProgramArguments() {
  int count = 0;
  const LocalMemory<LPWSTR> words(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> arguments;
  if (!words) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Narrow(words.Get()[i]));
  return arguments;
}

}  // namespace mirella::app
