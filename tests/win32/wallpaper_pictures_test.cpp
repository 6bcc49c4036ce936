// The planned pictures drawn from the shipped pictures: every pixel a monitor shows of the
// spanned, tiled picture is the pixel of that monitor's own picture (as drawn for it alone), the
// page on the primary and only the page's background on the other; PNG files come out as PNG.

#include "app/wallpaper_pictures_win32.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "generate/test_content.h"
#include "render/bmp_image.h"
#include "system/file_system_win32.h"
#include "win32/handles.h"

namespace mirella {
namespace {

using render::MonitorArea;
using render::Rect;

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // top-down, 0x??RRGGBB
  std::uint32_t At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y * width + x)] & 0xFFFFFF;
  }
};

Picture Decode(const std::string& bmp) {
  const auto bytes = std::as_bytes(std::span(bmp));
  const auto format = render::ReadBmpFormat(bytes);
  Picture picture;
  if (!format) return picture;
  picture.width = format->width;
  picture.height = format->height;
  picture.pixels.resize(static_cast<std::size_t>(format->width * format->height));
  render::ReadBmpPixels(bytes, *format, picture.pixels.data());
  return picture;
}

int FloorMod(int value, int modulus) { return ((value % modulus) + modulus) % modulus; }

TEST(WallpaperPictures, EachMonitorShowsItsOwnPictureOfTheTiledOne) {
  std::string folder = std::string("Z:") + MIRELLA_PROGRAM_DIR;
  for (char& c : folder) c = c == '/' ? '\\' : c;
  const DesktopContent content = testing::DefaultTestContent();
  Win32FileSystem files;
  // A portrait monitor at 120 dpi left of the primary and higher: its part crosses the picture's
  // edges, so it is drawn in pieces.
  const Rect primary{0, 0, 1024, 768};
  const Rect left{-600, -100, 0, 700};
  const std::vector<MonitorArea> monitors = {{"\\\\.\\DISPLAY1", primary, primary, 96, true},
                                             {"\\\\.\\DISPLAY2", left, left, 120, false}};
  const auto spanned = app::DrawWallpaperPictures(render::PlanWallpapers(monitors, false), content,
                                                  folder, files, app::PictureFileFormat::kBmp);
  const auto own = app::DrawWallpaperPictures(render::PlanWallpapers(monitors, true), content,
                                              folder, files, app::PictureFileFormat::kBmp);
  ASSERT_TRUE(spanned.ok()) << spanned.message();
  ASSERT_TRUE(own.ok()) << own.message();
  ASSERT_EQ(spanned.value().size(), 1u);
  ASSERT_EQ(own.value().size(), 2u);
  const Picture tiled = Decode(spanned.value()[0]);
  ASSERT_EQ(tiled.width, 1624);
  ASSERT_EQ(tiled.height, 868);

  for (std::size_t index = 0; index < monitors.size(); ++index) {
    const Picture alone = Decode(own.value()[index]);
    const Rect& bounds = monitors[index].bounds;
    ASSERT_EQ(alone.width, bounds.Width());
    ASSERT_EQ(alone.height, bounds.Height());
    int navy = 0;
    int differing = 0;
    for (int y = 0; y < alone.height; ++y) {
      for (int x = 0; x < alone.width; ++x) {
        // The shell tiles from the primary's top-left corner, the screen's (0, 0).
        const std::uint32_t shown = tiled.At(FloorMod(bounds.left + x, tiled.width),
                                             FloorMod(bounds.top + y, tiled.height));
        differing += shown != alone.At(x, y) ? 1 : 0;
        navy += alone.At(x, y) == 0x000080 ? 1 : 0;
      }
    }
    EXPECT_EQ(differing, 0) << "monitor " << index;
    // The page's bars are navy; the background has none.
    if (monitors[index].primary) {
      EXPECT_GT(navy, 1000);
    } else {
      EXPECT_EQ(navy, 0);
    }
  }

  ComApartment com;
  const auto png = app::DrawWallpaperPictures(render::PlanWallpapers({monitors[0]}, true), content,
                                              folder, files, app::PictureFileFormat::kPng);
  ASSERT_TRUE(png.ok()) << png.message();
  ASSERT_EQ(png.value().size(), 1u);
  EXPECT_EQ(png.value()[0].substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_LT(png.value()[0].size(), own.value()[0].size() / 4);
}

}  // namespace
}  // namespace mirella
