#include "win32/system_exports.h"

#include <string>

#include "win32/wide_text.h"

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
