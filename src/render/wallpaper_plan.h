#pragma once
// Which pictures make the desktop on the user's monitors, and where each monitor's own picture
// goes in them. The primary monitor shows the page laid out for its work area; every other
// monitor shows the page's background at its own size and DPI, never a stretched copy.
//
// - One monitor: one picture of its size, stretched over it, as the desktop has always been set.
// - Several, where the shell takes a wallpaper per monitor (Windows 8 and later): one picture
//   per monitor at its size.
// - Several, where it takes one for all (Vista and 7): one picture the size of the virtual
//   screen, tiled. The shell starts the tiles at the primary monitor's top-left corner, so a
//   monitor left of or above it shows the picture's far side: its part is placed there, split
//   where it crosses the picture's edge.

#include <string>
#include <vector>

#include "render/desktop_layout.h"

namespace mirella::render {

// A monitor as the system reports it, in virtual-screen pixels.
struct MonitorArea {
  std::string device;  // the shell's name for the monitor; empty where it has none
  Rect bounds;
  Rect work;           // bounds less the taskbar and other docked bars
  int dpi = 96;
  bool primary = false;
};

enum class WallpaperArrangement {
  kSingle,      // one monitor: the picture stretched over it
  kSpanned,     // one picture over the virtual screen, tiled
  kPerMonitor,  // a picture per monitor
};

// A rectangle of the picture showing a monitor's pixels from `source` (in the monitor's own
// coordinates, its top-left corner (0, 0)) onward.
struct PicturePiece {
  Rect target;
  int sourceX = 0;
  int sourceY = 0;
};

// One monitor's picture within a planned picture: what is drawn and at which size and DPI.
struct MonitorPart {
  int monitor = 0;    // index into the monitors planned for
  bool page = false;  // the page itself (the primary) or only its background
  int width = 0;      // the monitor's size: what is laid out and drawn
  int height = 0;
  int dpi = 96;
  Rect work;          // the work area in the monitor's own coordinates
  std::vector<PicturePiece> pieces;
};

struct PlannedPicture {
  int width = 0;
  int height = 0;
  std::string device;  // kPerMonitor: the monitor it is set on
  std::vector<MonitorPart> parts;
};

struct WallpaperPlan {
  WallpaperArrangement arrangement = WallpaperArrangement::kSingle;
  std::vector<PlannedPicture> pictures;
};

// `perMonitorWallpaper`: the shell takes a wallpaper per monitor. Monitors with empty bounds are
// left out; a monitor showing the same pixels as one before it (a cloned display) gets no part of
// its own. No monitor at all plans nothing.
WallpaperPlan PlanWallpapers(const std::vector<MonitorArea>& monitors, bool perMonitorWallpaper);

}  // namespace mirella::render
