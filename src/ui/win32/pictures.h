#pragma once
// Pictures (GIF with transparency, JPEG, uncompressed BMP) decoded into premultiplied 32-bit
// bitmaps, and drawn with their transparency. An uncompressed 24-bit BMP is read directly; the
// Windows Imaging Component decodes the others where it is installed, GDI+ elsewhere (XP without
// the WIC update).

#include <windows.h>

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "win32/handles.h"

struct IWICImagingFactory;

namespace mirella::ui::win32 {

class GdiplusDecoder;

struct Picture {
  UniqueBitmap bitmap;  // a top-down 32 bpp premultiplied BGRA DIB section
  int width = 0;
  int height = 0;
  const std::uint32_t* pixels = nullptr;  // the DIB's bits, width * height of them
};

// A picture of that size with all its pixels transparent, or nullopt when GDI has no room.
std::optional<Picture> NewPicture(int width, int height);

class PictureDecoder {
 public:
  // COM must be initialised on the calling thread. WIC where Newer() has it, otherwise GDI+.
  PictureDecoder();
  ~PictureDecoder();
  PictureDecoder(const PictureDecoder&) = delete;
  PictureDecoder& operator=(const PictureDecoder&) = delete;

  // The first frame of an encoded picture, or nullopt when it cannot be decoded.
  std::optional<Picture> Decode(std::span<const std::byte> encoded) const;

  // Whether pictures are decoded by WIC (rather than GDI+).
  bool UsesWic() const { return static_cast<bool>(factory_); }

 private:
  ComPtr<IWICImagingFactory> factory_;
  std::unique_ptr<GdiplusDecoder> gdiplus_;  // where WIC is missing
};

// Pictures embedded as RCDATA resources of a module, decoded on first use.
class PictureLibrary {
 public:
  explicit PictureLibrary(HMODULE module) : module_(module) {}
  // The picture named by its path under assets/, or null when it is missing or undecodable.
  const Picture* Get(const std::string& name);

 private:
  HMODULE module_;
  // Made with the first picture that needs it, so that starting WIC waits until a window paints
  // one; the splash's BMP does not.
  std::unique_ptr<PictureDecoder> decoder_;
  std::map<std::string, std::unique_ptr<Picture>> pictures_;  // null for a failed name
};

// The DPI at which a picture's pixels are shown one to one.
inline constexpr int kScreenDpi = 96;
// Draws the picture at its top-left corner, at its own size for the DPI, clipped to the target.
void DrawPicture(HDC dc, const Picture& picture, const RECT& target, int dpi);

}  // namespace mirella::ui::win32
