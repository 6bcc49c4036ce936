#include "win32/shell_functions.h"

#include "win32/system_exports.h"

namespace mirella {

namespace {

template <typename Function>
void Find(Function& entry, const wchar_t* dll, const char* name) {
  entry = ExportAs<Function>(FindSystemExport(dll, name));
}

ShellFunctions LookUp() {
  ShellFunctions functions;
  Find(functions.shGetFolderLocation, L"shell32.dll", "SHGetFolderLocation");
  Find(functions.shGetDesktopFolder, L"shell32.dll", "SHGetDesktopFolder");
  Find(functions.shellExecute, L"shell32.dll", "ShellExecuteW");
  Find(functions.shellExecuteEx, L"shell32.dll", "ShellExecuteExW");
  Find(functions.strRetToStr, L"shlwapi.dll", "StrRetToStrW");
  Find(functions.shParseDisplayName, L"shell32.dll", "SHParseDisplayName");
  Find(functions.shCreateShellItemArrayFromIDLists, L"shell32.dll",
       "SHCreateShellItemArrayFromIDLists");
  return functions;
}

}  // namespace

const ShellFunctions& Shell() {
  static const ShellFunctions functions = LookUp();
  return functions;
}

}  // namespace mirella
