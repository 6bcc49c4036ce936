// The renderer's pixel work without GDI: the page's backdrop in a buffer holding any part of the
// page, and the pictures' places on their shared sheet.

#include "render/pixel_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace mirella::render {
namespace {

constexpr std::uint8_t kUntouched = 0x5A;

// A 24-bit buffer laid out as a BMP file's pixels: rows bottom-up, padded to `stride`.
struct Buffer {
  Buffer(int width, int height)
      : bytes(static_cast<std::size_t>(width * 3 + 5) * height, kUntouched),
        pixels{bytes.data(), width, height, static_cast<std::size_t>(width * 3 + 5)} {}
  // 0x00RRGGBB of the pixel at (x, y) from the top.
  std::uint32_t At(int x, int y) const {
    const std::uint8_t* p = bytes.data() + pixels.stride * (pixels.height - 1 - y) + x * 3;
    return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
  }
  std::vector<std::uint8_t> bytes;
  BgrPixels pixels;
};

// A tile whose pixel (x, y) is opaque with its own colour, but for one transparent pixel.
PixelImage Tile(int width, int height, std::uint32_t seed) {
  PixelImage tile{std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height), width,
                  height};
  for (std::size_t i = 0; i < tile.pixels.size(); ++i) {
    tile.pixels[i] = 0xFF000000u | (seed + static_cast<std::uint32_t>(i) * 0x010305u);
  }
  tile.pixels[1] = 0;
  return tile;
}

TEST(PixelCanvasTest, PaintsAnyPartOfTheBackdropAsTheWholePageHasIt) {
  DesktopLayout layout;
  layout.width = 40;
  layout.height = 30;
  layout.columnBar = {2, 5, 38, 11};
  layout.bottomBar = {2, 24, 38, 28};
  const PixelImage background = Tile(3, 4, 0x102030);
  const PixelImage columnBar = Tile(5, 9, 0x405060);
  const PixelImage bottomBar = Tile(7, 2, 0x708090);
  const PageTiles tiles{OpaqueTile(background.View(), 1.0, kWhitePixel, layout.height),
                        OpaqueTile(columnBar.View(), 1.0, kNavyPixel, layout.columnBar.Height()),
                        OpaqueTile(bottomBar.View(), 1.0, kNavyPixel, layout.bottomBar.Height())};

  Buffer whole(40, 30);
  PaintBackdrop({whole.pixels, {0, 0}, {0, 0, 40, 30}}, tiles, layout);
  // Each tile repeats from its area's top-left; its transparent pixel shows white or navy.
  const auto tiled = [](const PixelImage& tile, const Rect& area, int x, int y,
                        std::uint32_t under) {
    const std::uint32_t pixel =
        tile.pixels[static_cast<std::size_t>((y - area.top) % tile.height * tile.width +
                                             (x - area.left) % tile.width)];
    return pixel == 0 ? under : pixel & 0xFFFFFF;
  };
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const std::uint32_t expected =
          layout.columnBar.Contains(x, y)   ? tiled(columnBar, layout.columnBar, x, y, kNavyPixel)
          : layout.bottomBar.Contains(x, y) ? tiled(bottomBar, layout.bottomBar, x, y, kNavyPixel)
                                            : tiled(background, {0, 0, 40, 30}, x, y, kWhitePixel);
      ASSERT_EQ(whole.At(x, y), expected) << x << ", " << y;
    }
  }

  // Bands smaller than the page and reaching past its edges: the page's pixels as above, and
  // nothing written outside the page or into a row's padding.
  for (int top = -4; top < 34; top += 7) {
    for (int left = -6; left < 44; left += 13) {
      Buffer band(13, 7);
      PaintBackdrop({band.pixels, {left, top}, {0, 0, 40, 30}}, tiles, layout);
      for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 13; ++x) {
          const bool onPage = Rect{0, 0, 40, 30}.Contains(left + x, top + y);
          ASSERT_EQ(band.At(x, y), onPage ? whole.At(left + x, top + y) : 0x5A5A5Au)
              << "band at " << left << ", " << top << ": " << x << ", " << y;
        }
        for (std::size_t pad = 13 * 3; pad < band.pixels.stride; ++pad) {
          ASSERT_EQ(band.bytes[band.pixels.stride * y + pad], kUntouched);
        }
      }
    }
  }
}

TEST(PixelCanvasTest, PacksEachPictureInAPlaceOfItsOwnOnTheSheet) {
  PictureSheetLayout sheet;
  const std::vector<std::pair<int, int>> sizes = {{5, 3}, {2, 4}, {0, 7}, {3, 3}, {1, 2}, {4, 1}, {5, 2}};
  std::vector<int> numbers;
  for (const auto& [width, height] : sizes) numbers.push_back(sheet.Add(width, height));
  sheet.Pack();
  EXPECT_EQ(sheet.Width(), 5);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(sheet.Width()) * sheet.Height(), 0);
  int area = 0;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const std::uint32_t colour = 0xFF000001u + static_cast<std::uint32_t>(i);
    const std::vector<std::uint32_t> solid(4, colour);
    sheet.Put(numbers[i], {solid.data(), 2, 2}, pixels.data());
    area += sizes[i].first * sizes[i].second;
    // Drawn at its own size from the place's corner, within the clip.
    const Rect drawn = sheet.Area(numbers[i], {100, 50, 200, 150}, {0, 0, 103, 200});
    EXPECT_EQ(drawn.Width(), std::min(sizes[i].first, 3));
    EXPECT_EQ(drawn.Height(), sizes[i].first == 0 ? 0 : sizes[i].second);
  }
  // Every place holds its own picture whole: none overlaps another or reaches off the sheet.
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const PagePoint corner = sheet.Origin(numbers[i]);
    if (sizes[i].first == 0) continue;
    EXPECT_LE(corner.x + sizes[i].first, sheet.Width());
    EXPECT_LE(corner.y + sizes[i].second, sheet.Height());
    for (int y = 0; y < sizes[i].second; ++y) {
      for (int x = 0; x < sizes[i].first; ++x) {
        EXPECT_EQ(pixels[static_cast<std::size_t>((corner.y + y) * sheet.Width() + corner.x + x)],
                  0xFF000001u + i);
      }
    }
  }
  EXPECT_EQ(std::count_if(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p != 0; }),
            area);
  // An empty picture leaves its place drawing nothing.
  PictureSheetLayout unfilled;
  const int picture = unfilled.Add(4, 4);
  unfilled.Pack();
  std::vector<std::uint32_t> none(16, 0);
  unfilled.Put(picture, {}, none.data());
  EXPECT_TRUE(unfilled.Area(picture, {0, 0, 4, 4}, {0, 0, 4, 4}).Empty());
}

}  // namespace
}  // namespace mirella::render
