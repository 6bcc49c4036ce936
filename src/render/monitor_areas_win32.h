#pragma once
// The monitors of the user's desktop as the system reports them now, for PlanWallpapers.

#include <vector>

#include "render/wallpaper_plan.h"
#include "win32/system_exports.h"

namespace mirella::render {

// Each monitor in the system's order, with GDI's display name ("\\.\DISPLAY1") as its device.
// The DPI is the monitor's own where the system has one per monitor (Windows 8.1 and later,
// found through `lookup`), otherwise the system DPI for all. Empty when the system reports none.
std::vector<MonitorArea> ScreenMonitors(ExportLookup lookup = FindSystemExport);

}  // namespace mirella::render
