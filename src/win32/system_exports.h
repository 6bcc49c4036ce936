#pragma once
// Functions looked up at run time rather than imported: where a function is newer than the
// oldest supported system, or where its DLL need not load before the first window.

#include <windows.h>

namespace mirella {

// A function exported by a DLL of the system folder, or null where the DLL or the function is
// missing. A DLL not yet loaded is loaded by its full path in the system folder (never a file of
// that name beside the program) and kept for the process's life.
FARPROC FindSystemExport(const wchar_t* dll, const char* function);

// FindSystemExport or a test's stand-in for it.
using ExportLookup = FARPROC (*)(const wchar_t* dll, const char* function);

// An export's address as the function pointer type it is stored in.
template <typename Function>
Function ExportAs(FARPROC address) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

}  // namespace mirella
