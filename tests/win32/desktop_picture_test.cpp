// The desktop drawn as a BMP from the shipped pictures, read back pixel by pixel: the file's
// header, the title's text, the navy underline of a caption, an entry's picture, the bars.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "app/screen_desktop_picture_win32.h"
#include "generate/test_content.h"
#include "render/desktop_renderer_win32.h"
#include "render/gif_image.h"
#include "system/file_system_win32.h"
#include "ui/win32/pictures.h"
#include "win32/handles.h"

namespace mirella {
namespace {

struct Bmp {
  const std::string& bytes;
  int width;
  int height;
  // 0x00RRGGBB of the pixel at (x, y) from the top.
  std::uint32_t At(int x, int y) const {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + 54 +
                    stride * static_cast<std::size_t>(height - 1 - y) + static_cast<std::size_t>(x) * 3;
    return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
  }
  int Count(const render::Rect& r, bool (*test)(std::uint32_t)) const {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) count += test(At(x, y)) ? 1 : 0;
    }
    return count;
  }
};

bool Dark(std::uint32_t c) { return ((c >> 16) & 0xFF) < 64 && ((c >> 8) & 0xFF) < 64 && (c & 0xFF) < 64; }
bool Navy(std::uint32_t c) { return ((c >> 16) & 0xFF) < 40 && ((c >> 8) & 0xFF) < 40 && (c & 0xFF) > 100; }
bool Coloured(std::uint32_t c) { return ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) < 500; }
bool White(std::uint32_t c) { return ((c >> 16) & 0xFF) > 230 && ((c >> 8) & 0xFF) > 230 && (c & 0xFF) > 230; }

TEST(DesktopPictureTest, DrawsTheDefaultDesktopIntoA24BitBmp) {
  std::string folder = std::string("Z:") + MIRELLA_PROGRAM_DIR;
  for (char& c : folder) c = c == '/' ? '\\' : c;
  const DesktopContent content = testing::DefaultTestContent();
  Win32FileSystem files;
  const auto drawn = app::DrawDesktopBmp(content, folder, files, 1024, 768, 96);
  ASSERT_TRUE(drawn.ok()) << drawn.message();
  const std::string& bytes = drawn.value();

  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  ASSERT_GE(bytes.size(), sizeof file + sizeof info);
  std::memcpy(&file, bytes.data(), sizeof file);
  std::memcpy(&info, bytes.data() + sizeof file, sizeof info);
  EXPECT_EQ(file.bfType, 0x4D42);
  EXPECT_EQ(file.bfSize, bytes.size());
  EXPECT_EQ(file.bfOffBits, 54u);
  EXPECT_EQ(info.biWidth, 1024);
  EXPECT_EQ(info.biHeight, 768);  // bottom-up
  EXPECT_EQ(info.biBitCount, 24);
  EXPECT_EQ(bytes.size(), 54u + 1024u * 3 * 768);

  const render::DesktopRenderer renderer(1.0);
  const render::DesktopLayout layout = renderer.LayOut(content, 1024, 768);
  const Bmp bmp{bytes, 1024, 768};
  // The title's black letters, and none beside it on the light background.
  EXPECT_GT(bmp.Count(layout.title.bounds, Dark), 200);
  EXPECT_EQ(bmp.Count({10, 20, 200, 40}, Dark), 0);
  // The caption's underline: a navy line as wide as the caption, under its baseline.
  const render::TextLine& caption = layout.rows[0].caption.lines[0];
  int underlineRow = -1;
  for (int y = caption.baseline; y < caption.bounds.bottom + 2 && underlineRow < 0; ++y) {
    if (bmp.Count({caption.bounds.left, y, caption.bounds.right, y + 1}, Navy) >=
        caption.bounds.Width() - 1) {
      underlineRow = y;
    }
  }
  EXPECT_GE(underlineRow, caption.baseline) << "no navy underline under the caption";
  // Entry 0's picture (the computer) covers its square with colours of its own.
  const render::Rect picture = layout.rows[0].pictureBounds;
  EXPECT_EQ(picture.Width(), 48);
  EXPECT_GT(bmp.Count(picture, Coloured), 400);
  EXPECT_EQ(bmp.Count({picture.left - 12, picture.top, picture.left - 2, picture.bottom}, Coloured), 0);
  // The bars are navy (their pictures lighten the top) with white text.
  EXPECT_GT(bmp.Count(layout.columnBar, Navy), layout.columnBar.Width() * layout.columnBar.Height() / 3);
  EXPECT_GT(bmp.Count(layout.barText.bounds, White), 100);
  // The emblem's white letters stand on its blue square.
  EXPECT_GT(bmp.Count(layout.emblem, White), 1000);
}

// The live layer draws the desktop part by part, in bands through a small buffer: every part must
// come out as the whole picture has it, at 96 dpi and at a scale, also where a band reaches past
// the page; a caption drawn in the hover colour changes only its own area.
TEST(DesktopPictureTest, DrawsAnyPartAsTheWholePictureHasIt) {
  std::string folder = std::string("Z:") + MIRELLA_PROGRAM_DIR;
  for (char& c : folder) c = c == '/' ? '\\' : c;
  const DesktopContent content = testing::DefaultTestContent();
  Win32FileSystem files;
  for (const int dpi : {96, 144}) {
    const int width = 1024;
    const int height = 700;
    const auto whole = app::DrawDesktopBmp(content, folder, files, width, height, dpi);
    ASSERT_TRUE(whole.ok()) << whole.message();
    const Bmp bmp{whole.value(), width, height};
    const render::DesktopRenderer renderer(dpi / 96.0);
    const render::DesktopLayout layout = renderer.LayOut(content, width, height);
    const auto painting = app::PrepareDesktopPainting(renderer, layout, folder, files);
    ASSERT_NE(painting, nullptr);

    // Bands of 37 rows and 301 columns from x = -5: their edges cut through texts and pictures.
    constexpr int kRows = 37;
    constexpr int kColumns = 301;
    constexpr std::size_t kStride = (kColumns * 3 + 3) & ~std::size_t{3};
    std::string band(54 + kStride * kRows, '\0');
    const Bmp part{band, kColumns, kRows};
    const render::BgrPixels target{reinterpret_cast<std::uint8_t*>(band.data() + 54), kColumns,
                                   kRows, kStride};
    const auto partDiffers = [&](int left, int top, const render::Rect& except) {
      int differing = 0;
      for (int y = 0; y < kRows && top + y < height; ++y) {
        for (int x = std::max(0, -left); x < kColumns && left + x < width; ++x) {
          if (!except.Contains(left + x, top + y)) {
            differing += part.At(x, y) != bmp.At(left + x, top + y) ? 1 : 0;
          }
        }
      }
      return differing;
    };
    int differing = 0;
    for (int top = 0; top < height; top += kRows) {
      for (int left = -5; left < width; left += kColumns) {
        ASSERT_TRUE(painting->Draw(target, {left, top}));
        differing += partDiffers(left, top, {});
      }
    }
    EXPECT_EQ(differing, 0) << "at " << dpi << " dpi";

    const render::TextBlock& caption = layout.rows[1].caption;
    const render::Rect hover = renderer.TextBounds(caption);
    const POINT origin{caption.bounds.left - 20, caption.bounds.top - 10};
    ASSERT_TRUE(painting->Draw(target, origin, &caption, RGB(0, 0, 255)));
    EXPECT_GT(part.Count({20, 10, 20 + caption.bounds.Width(), 10 + caption.bounds.Height()},
                         [](std::uint32_t c) { return c == 0x0000FF; }),
              20);
    EXPECT_EQ(partDiffers(origin.x, origin.y, hover), 0) << "at " << dpi << " dpi";
  }
}

// Laid out for a work area smaller than the screen (a taskbar at the top and one at the bottom):
// the work area holds the very page drawn at its size, as the layer shows it, and the strips
// beside it the page's background, nothing left undrawn.
TEST(DesktopPictureTest, LaysThePageOutForTheWorkArea) {
  std::string folder = std::string("Z:") + MIRELLA_PROGRAM_DIR;
  for (char& c : folder) c = c == '/' ? '\\' : c;
  const DesktopContent content = testing::DefaultTestContent();
  Win32FileSystem files;
  app::DesktopFrame frame;
  frame.screenWidth = 1024;
  frame.screenHeight = 768;
  frame.workArea = {0, 30, 1024, 728};
  frame.dpi = 120;
  const auto screen = app::DrawDesktopBmp(content, folder, files, frame);
  const auto page = app::DrawDesktopBmp(content, folder, files, 1024, 698, 120);
  ASSERT_TRUE(screen.ok() && page.ok());
  const Bmp whole{screen.value(), 1024, 768};
  const Bmp laidOut{page.value(), 1024, 698};
  int differing = 0;
  for (int y = 0; y < 698; ++y) {
    for (int x = 0; x < 1024; ++x) differing += whole.At(x, y + 30) != laidOut.At(x, y) ? 1 : 0;
  }
  EXPECT_EQ(differing, 0);
  // pal.gif is pale blue throughout.
  const auto background = [](std::uint32_t c) { return (c & 0xFF) > 200 && (c >> 16) > 100; };
  EXPECT_EQ(whole.Count({0, 0, 1024, 30}, background), 1024 * 30);
  EXPECT_EQ(whole.Count({0, 728, 1024, 768}, background), 1024 * 40);
}

// The desktop decodes its GIFs without the system's decoders: every shipped picture must come out
// as the system decodes it, and a file cut anywhere must fail or decode, never crash.
TEST(DesktopPictureTest, DecodesEveryShippedGifAsTheSystemDoes) {
  std::string folder = std::string("Z:") + MIRELLA_PROGRAM_DIR;
  for (char& c : folder) c = c == '/' ? '\\' : c;
  std::vector<std::string> paths;
  for (const char* name : {"pal.gif", "emblem.gif", "pal_column.gif", "pal_bottom.gif"}) {
    paths.push_back(folder + "\\Themes\\Blue Classic\\" + name);
  }
  for (int i = 0; i < kPictureCount; ++i) {
    paths.push_back(folder + "\\icons\\" + std::to_string(i) + ".gif");
  }
  const ComApartment com;
  const ui::win32::PictureDecoder system;
  Win32FileSystem files;
  for (const std::string& path : paths) {
    const auto bytes = files.ReadFile(path);
    ASSERT_TRUE(bytes.ok()) << bytes.message();
    const auto encoded = std::as_bytes(std::span(bytes.value()));
    const auto expected = system.Decode(encoded);
    const auto decoded = render::DecodeGif(encoded);
    ASSERT_TRUE(expected && decoded) << path;
    ASSERT_EQ(decoded->width, expected->width) << path;
    ASSERT_EQ(decoded->height, expected->height) << path;
    const std::size_t count = static_cast<std::size_t>(expected->width) * expected->height;
    EXPECT_TRUE(std::equal(decoded->pixels.begin(), decoded->pixels.end(), expected->pixels,
                           expected->pixels + count)) << path;
  }
  const auto emblem = files.ReadFile(paths[1]);
  ASSERT_TRUE(emblem.ok());
  for (std::size_t size = 0; size < emblem.value().size(); size += 37) {
    const auto cut = render::DecodeGif(std::as_bytes(std::span(emblem.value().data(), size)));
    if (cut) {
      EXPECT_EQ(cut->pixels.size(), static_cast<std::size_t>(cut->width) * cut->height);
    }
  }
}

}  // namespace
}  // namespace mirella
