// The monitors as the system reports them, on the test's X display of one screen (the
// two-monitor set-up is checked by the GUI test gui_two_monitors through the same call).

#include "render/monitor_areas_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "win32/dpi.h"

namespace mirella::render {
namespace {

TEST(ScreenMonitors, ReportTheScreenAsOnePrimaryMonitorAtTheSystemDpi) {
  const std::vector<MonitorArea> monitors = ScreenMonitors();
  ASSERT_EQ(monitors.size(), 1u);
  const MonitorArea& monitor = monitors[0];
  EXPECT_TRUE(monitor.primary);
  EXPECT_EQ(monitor.device.rfind("\\\\.\\DISPLAY", 0), 0u) << monitor.device;
  EXPECT_EQ(monitor.bounds.left, 0);
  EXPECT_EQ(monitor.bounds.top, 0);
  EXPECT_EQ(monitor.bounds.Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(monitor.bounds.Height(), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_FALSE(monitor.work.Empty());
  EXPECT_GE(monitor.work.left, monitor.bounds.left);
  EXPECT_LE(monitor.work.bottom, monitor.bounds.bottom);
  EXPECT_EQ(monitor.dpi, ui::win32::SystemDpi());
}

}  // namespace
}  // namespace mirella::render
