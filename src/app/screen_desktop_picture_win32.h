#pragma once
// The desktop drawn as a picture the size of the primary monitor, in physical pixels, with the
// pictures of the program folder, as the bytes of a 24-bit BMP file: the page laid out for the
// work area at the monitor's DPI, as the desktop layer lays it out (app/desktop_frame_win32.h).

#include <memory>
#include <string>

#include "app/desktop_frame_win32.h"
#include "content/desktop_content.h"
#include "render/desktop_renderer_win32.h"
#include "system/file_system.h"
#include "system/result.h"

namespace mirella::app {

// The same picture for a frame: the screen's size, the page laid out for the work area.
Result<std::string> DrawDesktopBmp(const DesktopContent& content, const std::string& programFolder,
                                   const FileSystem& files, const DesktopFrame& frame);
// With the page over the whole picture, at an explicit size in pixels and DPI (96 draws the page
// one to one).
Result<std::string> DrawDesktopBmp(const DesktopContent& content, const std::string& programFolder,
                                   const FileSystem& files, int width, int height, int dpi);

// The desktop as `renderer` laid it out, with the pictures of the program folder, made ready to
// be drawn part by part (the live layer); the decoded files are let go once it is made. Null
// when GDI has no room.
std::unique_ptr<render::DesktopPainting> PrepareDesktopPainting(
    const render::DesktopRenderer& renderer, const render::DesktopLayout& layout,
    const std::string& programFolder, const FileSystem& files);

}  // namespace mirella::app
