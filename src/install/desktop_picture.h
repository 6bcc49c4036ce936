#pragma once
// Draws the desktop as a picture, for systems whose desktop shows pictures only: the content as
// the theme page shows it, the size of the primary monitor in physical pixels, as the bytes of
// a 24-bit BMP file. Apply saves those bytes and makes them the wallpaper.

#include <string>

#include "content/desktop_content.h"
#include "system/result.h"

namespace mirella {

class DesktopPicture {
 public:
  virtual ~DesktopPicture() = default;
  // `programFolder` holds icons/ and Themes/Blue Classic/, the pictures the page shows.
  virtual Result<std::string> DrawBmp(const DesktopContent& content,
                                      const std::string& programFolder) const = 0;
};

}  // namespace mirella
