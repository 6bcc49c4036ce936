#pragma once
// Where the drawn desktop stands on the screen. The wallpaper and the live layer lay the page
// out alike: for the primary monitor's work area, at one DPI, the rest of the monitor showing
// the page's background; so the layer's pixels are the wallpaper's.

#include <windows.h>

namespace mirella::app {

struct DesktopFrame {
  int screenWidth = 0;  // the primary monitor in physical pixels: the wallpaper's size
  int screenHeight = 0;
  RECT workArea{};  // in the monitor's pixels, from its top-left corner
  int dpi = 96;
};

// The primary monitor as it is now, at `dpi` (the layer's window's, which the system tells it),
// or at the monitor's own DPI when `dpi` is 0.
DesktopFrame PrimaryDesktopFrame(int dpi = 0);

}  // namespace mirella::app
