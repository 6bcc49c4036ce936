#pragma once
// The renderer's work on pixel buffers, without GDI: the part of the page a buffer holds, fills
// and repeated tiles in it, areas copied out and back for GDI to draw on, and the pictures packed
// on one sheet. Portable, so that drawing's pixel arithmetic is tested natively.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/desktop_layout.h"
#include "render/pixel_image.h"

namespace mirella::render {

// A 24-bit picture as a BMP file holds its pixels: rows bottom-up, `stride` bytes apart, each
// pixel blue, green, red.
struct BgrPixels {
  std::uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  std::size_t stride = 0;
};

struct PagePoint {
  int x = 0;
  int y = 0;
};

// What two areas share; empty when nothing.
Rect Intersection(const Rect& a, const Rect& b);

// The part of the page a target holds: its top-left pixel is the page's point `origin`. Only
// the page's own pixels are drawn, however far the target reaches.
struct Canvas {
  const BgrPixels& target;
  PagePoint origin;
  Rect page;

  Rect Bounds() const;
  // The page's pixel (x, y), which must be within Bounds().
  std::uint8_t* At(int x, int y) const;
};

// The area in an opaque colour (0x00RRGGBB).
void Fill(const Canvas& canvas, const Rect& area, std::uint32_t rgb);
// An opaque picture over `area`, repeated from the area's top-left corner.
void Tile(const Canvas& canvas, const PixelImage& tile, const Rect& area);
// A picture tiled over a coloured area: scaled, over the colour, and no taller than the `rows`
// the area has (a tile repeats from the area's top, so no row below them is ever shown).
PixelImage OpaqueTile(PixelView picture, double scale, std::uint32_t rgb, int rows);

// The rows of `shown` (within the canvas's bounds) copied to or from a top-down 24-bit buffer,
// `stride` bytes a row, whose first pixel is the area's top-left.
void CopyOut(const Canvas& canvas, const Rect& shown, std::uint8_t* bits, std::size_t stride);
void CopyIn(const Canvas& canvas, const Rect& shown, const std::uint8_t* bits,
            std::size_t stride);

// The page's colours as pixels (0x00RRGGBB).
inline constexpr std::uint32_t kWhitePixel = 0xFFFFFF;
inline constexpr std::uint32_t kNavyPixel = 0x000080;  // #000080: the bars under their pictures

// The pictures repeated over the page and its bars, each made by OpaqueTile once.
struct PageTiles {
  PixelImage background;  // over the page's white
  PixelImage columnBar;   // over the column bar's navy
  PixelImage bottomBar;   // over the bottom bar's navy
};
// What lies under the page's pictures and texts: the white page with its picture repeated over
// it from the corner, and the navy bars with theirs.
void PaintBackdrop(const Canvas& canvas, const PageTiles& tiles, const DesktopLayout& layout);
// What lies around a page laid out for only part of the target (the rest of the screen beside
// the work area): the page's background picture, its pattern running on from the page's corner,
// or white where there is none. The page's own pixels are left as they are.
void PaintSurroundings(const BgrPixels& target, PagePoint origin, const PixelImage& background,
                       const DesktopLayout& layout);

// The pictures drawn with their transparency, packed in rows on one sheet of 32-bit pixels, rows
// top-down, as wide as the widest picture.
class PictureSheetLayout {
 public:
  // The number on the sheet of a place for a picture scaled to `width` x `height`, which Put
  // fills once the places are packed.
  int Add(int width, int height);
  // Puts each picture where the row still has room; the sheet's size follows.
  void Pack();
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The picture scaled into its place on `sheet` (Width() x Height() pixels); an empty picture
  // leaves the place drawing nothing.
  void Put(int picture, PixelView view, std::uint32_t* sheet);
  // Where a filled picture is drawn at its own size at `area`'s top-left, within `clip`.
  Rect Area(int picture, const Rect& area, const Rect& clip) const;
  // The picture's top-left on the sheet.
  PagePoint Origin(int picture) const;

 private:
  struct Place {
    int left;
    int top;
    int width;
    int height;
    bool filled;
  };
  std::vector<Place> places_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace mirella::render
