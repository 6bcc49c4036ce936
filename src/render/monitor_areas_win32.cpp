#include "render/monitor_areas_win32.h"

#include <windows.h>

#include "win32/dpi.h"
#include "win32/wide_text.h"

namespace mirella::render {
namespace {

// GetDpiForMonitor of shcore (Windows 8.1), with MDT_EFFECTIVE_DPI (0): what the monitor's
// windows are scaled to.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

struct Enumeration {
  GetDpiForMonitorFunction getDpiForMonitor = nullptr;
  int systemDpi = USER_DEFAULT_SCREEN_DPI;
  std::vector<MonitorArea> monitors;
};

Rect FromRect(const RECT& rect) {
  return {static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.right),
          static_cast<int>(rect.bottom)};
}

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM data) {
  auto& enumeration = *reinterpret_cast<Enumeration*>(data);
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(handle, &info)) return TRUE;  // gone since the enumeration began
  MonitorArea monitor;
  monitor.device = Narrow(info.szDevice);
  monitor.bounds = FromRect(info.rcMonitor);
  monitor.work = FromRect(info.rcWork);
  monitor.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  monitor.dpi = enumeration.systemDpi;
  UINT dpiX = 0, dpiY = 0;
  if (enumeration.getDpiForMonitor != nullptr &&
      SUCCEEDED(enumeration.getDpiForMonitor(handle, 0, &dpiX, &dpiY)) && dpiX != 0) {
    monitor.dpi = static_cast<int>(dpiX);
  }
  enumeration.monitors.push_back(std::move(monitor));
  return TRUE;
}

}  // namespace

std::vector<MonitorArea> ScreenMonitors(ExportLookup lookup) {
  Enumeration enumeration;
  enumeration.systemDpi = ui::win32::SystemDpi();
  // A monitor whose scale was changed since the user signed in no longer has the system's DPI,
  // lone or not. Looked up here, when drawing, so that start-up does not load shcore.
  enumeration.getDpiForMonitor =
      ExportAs<GetDpiForMonitorFunction>(lookup(L"shcore.dll", "GetDpiForMonitor"));
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&enumeration));
  return std::move(enumeration.monitors);
}

}  // namespace mirella::render
