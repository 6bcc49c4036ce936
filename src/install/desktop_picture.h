#pragma once
// Draws the desktop as pictures for the user's monitors, for systems whose desktop shows pictures
// only: the content as the theme page shows it on the primary monitor, the page's background on
// every other, each in the monitor's physical pixels and at its DPI, as the bytes of the files
// Apply saves and makes the wallpaper.

#include <string>
#include <vector>

#include "content/desktop_content.h"
#include "system/desktop_shell.h"
#include "system/result.h"

namespace mirella {

// How the shell is to show the pictures.
enum class PictureArrangement {
  kSingle,      // one monitor: one picture, stretched over it, as the desktop was always set
  kSpanned,     // one picture over all monitors, tiled from the primary's top-left corner
  kPerMonitor,  // a picture per monitor (Windows 8 and later)
};

struct DrawnPicture {
  std::string monitor;  // kPerMonitor: the shell's device path of the monitor it is for
  std::string bytes;    // the whole file
};

struct DrawnDesktop {
  PictureArrangement arrangement = PictureArrangement::kSingle;
  std::string extension = "bmp";  // of the files: "bmp" or "png"
  std::vector<DrawnPicture> pictures;
};

class DesktopPicture {
 public:
  virtual ~DesktopPicture() = default;
  // `programFolder` holds icons/ and Themes/Blue Classic/, the pictures the page shows.
  // `monitors` are the shell's per-monitor wallpapers (DesktopShell::GetMonitorWallpapers):
  // empty where the shell takes one picture for all monitors. `primaryDpi` is the DPI the
  // desktop layer lays the page out at, told it with a DPI change; 0: the primary monitor's own.
  virtual Result<DrawnDesktop> Draw(const DesktopContent& content, const std::string& programFolder,
                                    const std::vector<MonitorWallpaper>& monitors,
                                    int primaryDpi) const = 0;
};

}  // namespace mirella
