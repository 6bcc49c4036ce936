#pragma once
// What the program uses from systems newer than the oldest it runs on (Windows XP), looked up
// at run time instead of imported, so that desktop.exe starts everywhere. Each entry is null
// where the system lacks it, and its callers then fall back to what XP has.
//
// Tests put a table of their own in place (ScopedNewerFunctions) to run the fallbacks on a
// system that has everything.

#include <windows.h>

#include "win32/system_exports.h"

struct IWICImagingFactory;

namespace mirella::ui::win32 {

struct NewerFunctions {
  // user32, Windows 10 version 1607.
  UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
  UINT(WINAPI* getDpiForSystem)() = nullptr;
  BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
  int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
  BOOL(WINAPI* systemParametersInfoForDpi)(UINT, UINT, void*, UINT, UINT) = nullptr;
  // user32, Windows 10 version 1703: per-monitor awareness, version 2.
  BOOL(WINAPI* setProcessDpiAwarenessContext)(HANDLE) = nullptr;
  // shcore, Windows 8.1: per-monitor awareness; looked up only where the user32 form is missing.
  HRESULT(WINAPI* setProcessDpiAwareness)(int) = nullptr;
  // user32, Windows Vista: system DPI awareness.
  BOOL(WINAPI* setProcessDPIAware)() = nullptr;
  // Creates the Windows Imaging Component's factory (Vista; an optional update on XP), which is
  // a COM class: present where windowscodecs.dll is, or always in the system's own table, whose
  // call then fails where WIC is missing. COM must be initialised on the thread.
  HRESULT (*createImagingFactory)(IWICImagingFactory** factory) = nullptr;
};

// Finds a function exported by a DLL of the system folder: null when either is missing.
using mirella::ExportLookup;
using mirella::FindSystemExport;

// Every entry, found through `lookup`.
NewerFunctions LookUpNewerFunctions(ExportLookup lookup = FindSystemExport);

// The table the program uses: looked up on first use, or the one a test has put in place.
const NewerFunctions& Newer();

// While it lives, Newer() returns `functions`. Not nested across threads: for tests.
class ScopedNewerFunctions {
 public:
  explicit ScopedNewerFunctions(const NewerFunctions& functions);
  ~ScopedNewerFunctions();
  ScopedNewerFunctions(const ScopedNewerFunctions&) = delete;
  ScopedNewerFunctions& operator=(const ScopedNewerFunctions&) = delete;

 private:
  NewerFunctions functions_;
  const NewerFunctions* previous_;
};

}  // namespace mirella::ui::win32
