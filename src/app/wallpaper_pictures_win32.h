#pragma once
// The pictures of a wallpaper plan drawn as files: each monitor's part at the monitor's size and
// DPI, the page where the part is the page and the page's background elsewhere, placed piece by
// piece where the plan puts it.

#include <string>
#include <vector>

#include "content/desktop_content.h"
#include "install/desktop_picture.h"
#include "render/wallpaper_plan.h"
#include "system/file_system.h"
#include "system/result.h"

namespace mirella::app {

enum class PictureFileFormat {
  kBmp,  // 24-bit, uncompressed
  kPng,  // compressed (render/png_file.h)
};

// One file's bytes per planned picture, in the plan's order; `programFolder` holds the pictures
// the page shows.
Result<std::vector<std::string>> DrawWallpaperPictures(const render::WallpaperPlan& plan,
                                                       const DesktopContent& content,
                                                       const std::string& programFolder,
                                                       const FileSystem& files,
                                                       PictureFileFormat format);

// The desktop drawn for the monitors attached now (render/wallpaper_plan.h): PNG files where the
// shell takes a picture per monitor, BMP where it takes one for all.
class ScreenDesktopPictures : public DesktopPicture {
 public:
  explicit ScreenDesktopPictures(const FileSystem& files) : files_(files) {}
  Result<DrawnDesktop> Draw(const DesktopContent& content, const std::string& programFolder,
                            const std::vector<MonitorWallpaper>& monitors,
                            int primaryDpi) const override;

 private:
  const FileSystem& files_;
};

}  // namespace mirella::app
