#include "app/desktop_frame_win32.h"

#include "win32/dpi.h"
#include "win32/system_exports.h"

namespace mirella::app {
namespace {

// The primary monitor's DPI: where the scale was changed since the user signed in, it is no
// longer the system's. shcore's function (Windows 8.1) is looked up only here, at drawing time,
// so that start-up does not load that DLL.
int PrimaryMonitorDpi(HMONITOR monitor) {
  using GetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto getDpi =
      ExportAs<GetDpiForMonitor>(FindSystemExport(L"shcore.dll", "GetDpiForMonitor"));
  UINT x = 0;
  UINT y = 0;
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  if (getDpi != nullptr && monitor != nullptr && SUCCEEDED(getDpi(monitor, kEffectiveDpi, &x, &y)) &&
      y != 0) {
    return static_cast<int>(y);
  }
  return ui::win32::SystemDpi();
}

}  // namespace

DesktopFrame PrimaryDesktopFrame(int dpi) {
  DesktopFrame frame;
  // The process is DPI-aware: the sizes come in physical pixels.
  frame.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  frame.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const HMONITOR monitor = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  // The monitor's own report: a process's SPI_GETWORKAREA may still give the area from before
  // a change of resolution.
  MONITORINFO info{};
  info.cbSize = sizeof info;
  RECT area{};
  if (monitor != nullptr && GetMonitorInfoW(monitor, &info)) {
    area = info.rcWork;
    OffsetRect(&area, -info.rcMonitor.left, -info.rcMonitor.top);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  const RECT screen{0, 0, frame.screenWidth, frame.screenHeight};
  IntersectRect(&area, &area, &screen);
  if (IsRectEmpty(&area)) area = {0, 0, frame.screenWidth, frame.screenHeight};
  frame.workArea = area;
  frame.dpi = dpi > 0 ? dpi : PrimaryMonitorDpi(monitor);
  return frame;
}

}  // namespace mirella::app
