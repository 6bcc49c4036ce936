// Prints the monitors as the program sees them (ScreenMonitors), as JSON: for each, its
// rectangle and work area in virtual-screen pixels, its DPI and whether it is the primary. The
// multi-monitor GUI tests check the X display's set-up, and the program's reading of it, with it.

#include <windows.h>

#include <cstdio>

#include "render/monitor_areas_win32.h"
#include "win32/dpi.h"

int wmain() {
  mirella::ui::win32::DeclareDpiAwareness();
  const auto monitors = mirella::render::ScreenMonitors();
  std::printf("[");
  const char* separator = "";
  for (const auto& monitor : monitors) {
    const auto& r = monitor.bounds;
    const auto& w = monitor.work;
    // GDI's "\\.\DISPLAY1" without its prefix, so that the line is plain JSON.
    const char* device = monitor.device.c_str() + (monitor.device.rfind("\\\\.\\", 0) == 0 ? 4 : 0);
    std::printf("%s\n {\"device\": \"%s\", \"rect\": [%d, %d, %d, %d], "
                "\"work\": [%d, %d, %d, %d], \"dpi\": %d, \"primary\": %s}",
                separator, device, r.left, r.top, r.right, r.bottom, w.left, w.top, w.right,
                w.bottom, monitor.dpi, monitor.primary ? "true" : "false");
    separator = ",";
  }
  std::printf("\n]\n");
  return monitors.empty() ? 1 : 0;
}
