#include "render/pixel_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace mirella::render {
namespace {

// Repeats the first `filled` bytes of `row` until `size` bytes are written, doubling each copy.
void RepeatPattern(std::uint8_t* row, std::size_t filled, std::size_t size) {
  while (filled < size) {
    const std::size_t part = std::min(filled, size - filled);
    std::memcpy(row + filled, row, part);
    filled += part;
  }
}

}  // namespace

Rect Intersection(const Rect& a, const Rect& b) {
  const Rect out{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
  return out.Empty() ? Rect{} : out;
}

Rect Canvas::Bounds() const {
  return Intersection({origin.x, origin.y, origin.x + target.width, origin.y + target.height},
                      page);
}

std::uint8_t* Canvas::At(int x, int y) const {
  return target.bits +
         target.stride * static_cast<std::size_t>(target.height - 1 - (y - origin.y)) +
         static_cast<std::size_t>(x - origin.x) * 3;
}

void Fill(const Canvas& canvas, const Rect& area, std::uint32_t rgb) {
  const Rect shown = Intersection(area, canvas.Bounds());
  if (shown.Empty()) return;
  const std::size_t size = static_cast<std::size_t>(shown.Width()) * 3;
  std::uint8_t* first = canvas.At(shown.left, shown.top);
  first[0] = static_cast<std::uint8_t>(rgb);
  first[1] = static_cast<std::uint8_t>(rgb >> 8);
  first[2] = static_cast<std::uint8_t>(rgb >> 16);
  RepeatPattern(first, 3, size);
  for (int y = shown.top + 1; y < shown.bottom; ++y) {
    std::memcpy(canvas.At(shown.left, y), first, size);
  }
}

void Tile(const Canvas& canvas, const PixelImage& tile, const Rect& area) {
  const Rect shown = Intersection(area, canvas.Bounds());
  if (tile.pixels.empty() || shown.Empty()) return;
  const std::size_t size = static_cast<std::size_t>(shown.Width()) * 3;
  // One period of the tile's row, starting at the first pixel shown, then repeated.
  const int period = std::min(tile.width, shown.Width());
  const int phase = (shown.left - area.left) % tile.width;
  for (int y = shown.top; y < shown.bottom; ++y) {
    const std::uint32_t* source =
        tile.pixels.data() + static_cast<std::size_t>((y - area.top) % tile.height) * tile.width;
    std::uint8_t* row = canvas.At(shown.left, y);
    for (int i = 0, x = phase; i < period; ++i, x = x + 1 == tile.width ? 0 : x + 1) {
      const std::uint32_t pixel = source[x];
      row[i * 3] = static_cast<std::uint8_t>(pixel);
      row[i * 3 + 1] = static_cast<std::uint8_t>(pixel >> 8);
      row[i * 3 + 2] = static_cast<std::uint8_t>(pixel >> 16);
    }
    RepeatPattern(row, static_cast<std::size_t>(period) * 3, size);
  }
}

PixelImage OpaqueTile(PixelView picture, double scale, std::uint32_t rgb, int rows) {
  const int width = static_cast<int>(std::lround(picture.width * scale));
  const int height = static_cast<int>(std::lround(picture.height * scale));
  PixelImage scaled;
  if (width != picture.width || height != picture.height) {
    scaled = ScalePixels(picture, width, height);
    picture = scaled.View();
  }
  picture.height = std::min(picture.height, std::max(rows, 1));
  return OverColour(picture, rgb);
}

void PaintBackdrop(const Canvas& canvas, const PageTiles& tiles, const DesktopLayout& layout) {
  if (tiles.background.pixels.empty()) Fill(canvas, canvas.page, kWhitePixel);
  Tile(canvas, tiles.background, canvas.page);
  Fill(canvas, layout.columnBar, kNavyPixel);
  Tile(canvas, tiles.columnBar, layout.columnBar);
  Fill(canvas, layout.bottomBar, kNavyPixel);
  Tile(canvas, tiles.bottomBar, layout.bottomBar);
}

void PaintSurroundings(const BgrPixels& target, PagePoint origin, const PixelImage& background,
                       const DesktopLayout& layout) {
  const Rect whole{origin.x, origin.y, origin.x + target.width, origin.y + target.height};
  const Rect strips[] = {{whole.left, whole.top, whole.right, 0},
                         {whole.left, layout.height, whole.right, whole.bottom},
                         {whole.left, 0, 0, layout.height},
                         {layout.width, 0, whole.right, layout.height}};
  // The tile's phase at a coordinate left of or above the page's corner, where % is negative.
  const auto anchor = [](int at, int period) {
    return period > 0 ? at - ((at % period) + period) % period : at;
  };
  for (const Rect& strip : strips) {
    const Rect shown = Intersection(strip, whole);
    if (shown.Empty()) continue;
    const Canvas canvas{target, origin, shown};
    if (background.pixels.empty()) {
      Fill(canvas, shown, kWhitePixel);
      continue;
    }
    // From the tile's corner at or before the strip, so that the pattern runs on from the page.
    Tile(canvas, background, Rect{anchor(shown.left, background.width),
                                  anchor(shown.top, background.height), shown.right, shown.bottom});
  }
}

void CopyOut(const Canvas& canvas, const Rect& shown, std::uint8_t* bits, std::size_t stride) {
  const std::size_t size = static_cast<std::size_t>(shown.Width()) * 3;
  for (int y = shown.top; y < shown.bottom; ++y) {
    std::memcpy(bits + stride * static_cast<std::size_t>(y - shown.top), canvas.At(shown.left, y),
                size);
  }
}

void CopyIn(const Canvas& canvas, const Rect& shown, const std::uint8_t* bits,
            std::size_t stride) {
  const std::size_t size = static_cast<std::size_t>(shown.Width()) * 3;
  for (int y = shown.top; y < shown.bottom; ++y) {
    std::memcpy(canvas.At(shown.left, y), bits + stride * static_cast<std::size_t>(y - shown.top),
                size);
  }
}

int PictureSheetLayout::Add(int width, int height) {
  if (width <= 0 || height <= 0) width = height = 0;
  places_.push_back({0, 0, width, height, false});
  return static_cast<int>(places_.size()) - 1;
}

void PictureSheetLayout::Pack() {
  for (const Place& place : places_) width_ = std::max(width_, place.width);
  int left = 0;
  int top = 0;
  int rowHeight = 0;
  for (Place& place : places_) {
    if (place.width <= 0 || place.height <= 0) continue;
    if (left + place.width > width_) {
      top += rowHeight;
      left = 0;
      rowHeight = 0;
    }
    place.left = left;
    place.top = top;
    left += place.width;
    rowHeight = std::max(rowHeight, place.height);
  }
  height_ = top + rowHeight;
}

void PictureSheetLayout::Put(int picture, PixelView view, std::uint32_t* sheet) {
  Place& place = places_[static_cast<std::size_t>(picture)];
  if (sheet == nullptr || view.Empty() || place.width <= 0) return;
  ScalePixelsInto(view, place.width, place.height,
                  sheet + static_cast<std::size_t>(place.top) * width_ + place.left,
                  static_cast<std::size_t>(width_));
  place.filled = true;
}

Rect PictureSheetLayout::Area(int picture, const Rect& area, const Rect& clip) const {
  const Place& place = places_[static_cast<std::size_t>(picture)];
  if (!place.filled) return {};
  return Intersection({area.left, area.top, area.left + place.width, area.top + place.height},
                      clip);
}

PagePoint PictureSheetLayout::Origin(int picture) const {
  const Place& place = places_[static_cast<std::size_t>(picture)];
  return {place.left, place.top};
}

}  // namespace mirella::render
