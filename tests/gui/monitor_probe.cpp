// Prints the monitors as the program would see them, as JSON: for each, its rectangle and work
// area in virtual-screen pixels, its DPI and whether it is the primary. The multi-monitor GUI
// tests check the X display's set-up with it before they rely on it.

#include <windows.h>

#include <cstdio>

namespace {

// GetDpiForMonitor (shcore, Windows 8.1 and later) looked up at run time; 0 where it is absent.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

unsigned MonitorDpi(HMONITOR monitor) {
  static const auto getDpi = [] {
    const HMODULE shcore = LoadLibraryW(L"shcore.dll");
    return shcore == nullptr ? nullptr
                             : reinterpret_cast<GetDpiForMonitorFunction>(
                                   reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
  }();
  UINT x = 0, y = 0;
  if (getDpi == nullptr || FAILED(getDpi(monitor, 0, &x, &y))) return 0;
  return x;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM count) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  const RECT& r = info.rcMonitor;
  const RECT& w = info.rcWork;
  std::printf("%s\n {\"device\": \"%ls\", \"rect\": [%ld, %ld, %ld, %ld], "
              "\"work\": [%ld, %ld, %ld, %ld], \"dpi\": %u, \"primary\": %s}",
              (*reinterpret_cast<int*>(count))++ == 0 ? "" : ",",
              info.szDevice + (info.szDevice[0] == L'\\' ? 4 : 0), r.left, r.top, r.right,
              r.bottom, w.left, w.top, w.right, w.bottom, MonitorDpi(monitor),
              (info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? "true" : "false");
  return TRUE;
}

}  // namespace

int wmain() {
  SetProcessDPIAware();
  int count = 0;
  std::printf("[");
  EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, reinterpret_cast<LPARAM>(&count));
  std::printf("\n]\n");
  return count > 0 ? 0 : 1;
}
