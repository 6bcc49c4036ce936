#pragma once
// The drawn desktop as the shell shows it: which pictures the monitors show now, the style values
// of an arrangement, setting the pictures on the shell, and drawing them anew for the monitors
// as they are now (the desktop layer does it when the displays change).

#include <string>
#include <utility>
#include <vector>

#include "install/desktop_picture.h"
#include "install/desktop_picture_files.h"
#include "install/desktop_places.h"
#include "system/desktop_shell.h"
#include "system/environment.h"
#include "system/file_system.h"
#include "system/registry.h"

namespace mirella {

// The wallpaper value's picture, then each monitor's where the shell has one per monitor.
std::vector<std::string> ShownPictures(const Registry& registry,
                                       const std::vector<MonitorWallpaper>& monitors);

// WallpaperStyle and TileWallpaper: stretched over a lone monitor, whose size the picture is, or
// tiled (style 0 with tiling), which starts a picture spanning the monitors at the primary's
// corner, as it was drawn. Per monitor as for one.
std::pair<std::string, std::string> PictureStyleValues(PictureArrangement arrangement);

// Shows the written files: through the wallpaper value's path (the values set before), or per
// monitor, each fitted pixel for pixel.
Status ShowPictureFiles(DesktopShell& shell, const DrawnDesktop& drawn,
                        const PictureFileSet& files);

struct RedrawServices {
  const Environment& environment;
  Registry& registry;
  FileSystem& files;
  DesktopShell& shell;
  const DesktopPicture& picture;
};

enum class RedrawResult {
  kNotOurs,   // the monitors show a picture of the user's: nothing is drawn
  kRedrawn,   // drawn for the monitors as they are, shown, the replaced files removed
  kFailed,    // the pictures shown before stay
};

// Draws the desktop anew for the monitors attached now and shows it in place of the pictures
// Apply or an earlier redraw set, as Apply would; only while the wallpaper value names one of
// them, so that a picture the user has chosen since stays. `primaryDpi` as for
// DesktopPicture::Draw.
RedrawResult RedrawShownPictures(const DesktopContent& content, const std::string& programFolder,
                                 int primaryDpi, const RedrawServices& services);

}  // namespace mirella
