// The drawn desktop as a PNG file: a 3840 x 2160 page comes out well under 2 MB, and the system's
// own decoder, the one the shell reads wallpapers with, gives back the very pixels that were drawn.

#include <windows.h>

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>

#include "app/screen_desktop_picture_win32.h"
#include "generate/test_content.h"
#include "render/png_file.h"
#include "system/file_system_win32.h"
#include "ui/win32/pictures.h"
#include "win32/handles.h"

namespace mirella {
namespace {

TEST(PngFileTest, A4kPageIsUnderTwoMegabytesAndDecodesToTheDrawnPixels) {
  constexpr int kWidth = 3840;
  constexpr int kHeight = 2160;
  const ComApartment com;  // the system's decoder is a COM object
  Win32FileSystem files;
  auto bmp = app::DrawDesktopBmp(testing::FullyLinkedTestContent(), MIRELLA_PROGRAM_DIR, files, kWidth,
                                 kHeight, 192);
  ASSERT_TRUE(bmp.ok()) << bmp.status().message();
  std::string bytes = std::move(bmp).value();
  const std::size_t stride = (kWidth * 3 + 3) & ~std::size_t{3};
  const render::BgrPixels pixels{reinterpret_cast<std::uint8_t*>(bytes.data() + 54), kWidth,
                                 kHeight, stride};
  const std::string png = render::EncodePng(pixels);
  EXPECT_LT(png.size(), 2u * 1024 * 1024) << "a BMP of the page is " << bytes.size();

  const ui::win32::PictureDecoder decoder;
  const auto decoded = decoder.Decode(std::as_bytes(std::span(png)));
  ASSERT_TRUE(decoded.has_value());
  ASSERT_EQ(decoded->width, kWidth);
  ASSERT_EQ(decoded->height, kHeight);
  int differing = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::uint8_t* drawn = pixels.bits + stride * (kHeight - 1 - y) + x * 3;
      const std::uint32_t read = decoded->pixels[y * kWidth + x];
      const std::uint32_t expected = 0xFF000000u | (std::uint32_t{drawn[2]} << 16) |
                                     (std::uint32_t{drawn[1]} << 8) | drawn[0];
      differing += read != expected ? 1 : 0;
    }
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace mirella
