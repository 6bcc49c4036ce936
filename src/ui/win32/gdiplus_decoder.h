#pragma once
// Pictures decoded by GDI+, which every Windows since XP has: the decoder where the Windows
// Imaging Component is missing. It gives the same premultiplied pixels as WIC.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>

#include "ui/win32/pictures.h"

namespace mirella::ui::win32 {

class GdiplusDecoder {
 public:
  GdiplusDecoder();  // starts GDI+ for this object's life
  ~GdiplusDecoder();
  GdiplusDecoder(const GdiplusDecoder&) = delete;
  GdiplusDecoder& operator=(const GdiplusDecoder&) = delete;

  // The first frame of an encoded picture, or nullopt when it cannot be decoded.
  std::optional<Picture> Decode(std::span<const std::byte> encoded) const;

 private:
  ULONG_PTR token_ = 0;  // 0 when GDI+ did not start
};

}  // namespace mirella::ui::win32
