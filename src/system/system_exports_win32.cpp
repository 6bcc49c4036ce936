#include "system/system_exports_win32.h"

#include <string>

#include "system/wide_text_win32.h"

namespace mirella {

FARPROC FindSystemExport(const wchar_t* dll, const char* function) {
  HMODULE module = GetModuleHandleW(dll);
  if (module == nullptr) {
    const auto folder = SizedText(
        [](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
    if (!folder) return nullptr;
    module = LoadLibraryW((*folder + L"\\" + dll).c_str());
    if (module == nullptr) return nullptr;
  }
  return GetProcAddress(module, function);
}

}  // namespace mirella
