#include "system/shell_functions_win32.h"

#include <string>

#include "system/wide_text_win32.h"

namespace mirella {

namespace {

// By its full path in the system folder: never a file of that name beside the program. Kept
// loaded for the process's life.
HMODULE LoadSystemLibrary(const wchar_t* name) {
  const auto folder =
      SizedText([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
  return folder ? LoadLibraryW((*folder + L"\\" + name).c_str()) : nullptr;
}

template <typename Function>
void Find(Function& entry, HMODULE module, const char* name) {
  if (module == nullptr) return;
  entry = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

ShellFunctions LookUp() {
  ShellFunctions functions;
  const HMODULE shell32 = LoadSystemLibrary(L"shell32.dll");
  Find(functions.shGetFolderLocation, shell32, "SHGetFolderLocation");
  Find(functions.shGetDesktopFolder, shell32, "SHGetDesktopFolder");
  Find(functions.shellExecute, shell32, "ShellExecuteW");
  Find(functions.shellExecuteEx, shell32, "ShellExecuteExW");
  Find(functions.strRetToStr, LoadSystemLibrary(L"shlwapi.dll"), "StrRetToStrW");
  return functions;
}

}  // namespace

const ShellFunctions& Shell() {
  static const ShellFunctions functions = LookUp();
  return functions;
}

}  // namespace mirella
