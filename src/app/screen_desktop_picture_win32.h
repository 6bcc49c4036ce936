#pragma once
// The desktop drawn as a picture the size of the primary monitor, in physical pixels and at its
// DPI, with the pictures of the program folder, as the bytes of a 24-bit BMP file.

#include <string>

#include "install/desktop_picture.h"
#include "system/file_system.h"

namespace mirella::app {

class ScreenDesktopPicture : public DesktopPicture {
 public:
  explicit ScreenDesktopPicture(const FileSystem& files) : files_(files) {}
  Result<std::string> DrawBmp(const DesktopContent& content,
                              const std::string& programFolder) const override;

 private:
  const FileSystem& files_;
};

// The same picture at an explicit size in pixels and DPI (96 draws the page one to one).
Result<std::string> DrawDesktopBmp(const DesktopContent& content, const std::string& programFolder,
                                   const FileSystem& files, int width, int height, int dpi);

}  // namespace mirella::app
