#pragma once
// A drawn picture as the bytes of a PNG file, through the system's encoder (the Windows Imaging
// Component): a desktop page is mostly flat colour and compresses to a small share of its BMP.
// Fails where WIC is missing (XP without its update): the caller keeps the BMP then. COM must be
// initialised on the thread.

#include <string>

#include "render/desktop_renderer_win32.h"
#include "system/result.h"

namespace mirella::render {

Result<std::string> EncodePng(const BgrPixels& pixels);

}  // namespace mirella::render
