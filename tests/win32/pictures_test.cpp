// Pictures decoded from bytes, by WIC and by GDI+ (where WIC is missing), and from the resources
// of desktop.exe, and the drawing of the progress control.

#include "ui/win32/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>

#include "system/environment_win32.h"
#include "ui/win32/fonts.h"
#include "ui/win32/progress_painter.h"
#include "win32/handles.h"
#include "win32/newer_functions.h"
#include "win32/resources.h"
#include "win32/wide_text.h"

namespace mirella::ui::win32 {
namespace {

// A 2 x 1 GIF: a red pixel, then a pixel of the transparent colour index.
constexpr unsigned char kTwoPixelGif[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x01, 0x00, 0xf0, 0x00, 0x00, 0xff, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x01, 0x00, 0x2c, 0x00, 0x00,
    0x00, 0x00, 0x02, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x0a, 0x00, 0x3b};

// An 8 x 8 JPEG, all blue.
constexpr unsigned char kBlueJpeg[] = {
    0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01,
    0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43,
    0x00, 0x03, 0x02, 0x02, 0x03, 0x02, 0x02, 0x03, 0x03, 0x03, 0x03, 0x04,
    0x03, 0x03, 0x04, 0x05, 0x08, 0x05, 0x05, 0x04, 0x04, 0x05, 0x0a, 0x07,
    0x07, 0x06, 0x08, 0x0c, 0x0a, 0x0c, 0x0c, 0x0b, 0x0a, 0x0b, 0x0b, 0x0d,
    0x0e, 0x12, 0x10, 0x0d, 0x0e, 0x11, 0x0e, 0x0b, 0x0b, 0x10, 0x16, 0x10,
    0x11, 0x13, 0x14, 0x15, 0x15, 0x15, 0x0c, 0x0f, 0x17, 0x18, 0x16, 0x14,
    0x18, 0x12, 0x14, 0x15, 0x14, 0xff, 0xdb, 0x00, 0x43, 0x01, 0x03, 0x04,
    0x04, 0x05, 0x04, 0x05, 0x09, 0x05, 0x05, 0x09, 0x14, 0x0d, 0x0b, 0x0d,
    0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0xff, 0xc0, 0x00, 0x11, 0x08, 0x00, 0x08, 0x00, 0x08, 0x03,
    0x01, 0x11, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xff, 0xc4, 0x00,
    0x14, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x09, 0xff, 0xc4, 0x00, 0x14, 0x10,
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xc4, 0x00, 0x15, 0x01, 0x01, 0x01,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x06, 0x09, 0xff, 0xc4, 0x00, 0x14, 0x11, 0x01, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0xff, 0xda, 0x00, 0x0c, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03,
    0x11, 0x00, 0x3f, 0x00, 0x3d, 0xd5, 0x4c, 0x1d, 0xff, 0xd9
};

template <size_t N>
std::span<const std::byte> Bytes(const unsigned char (&data)[N]) {
  return std::as_bytes(std::span(data));
}

// The decoding tests run with WIC (true) and with WIC withheld, as on XP (false).
NewerFunctions WithWic(bool wic) {
  NewerFunctions functions = Newer();
  if (!wic) functions.createImagingFactory = nullptr;
  return functions;
}

class PicturesTest : public ::testing::TestWithParam<bool> {
 protected:
  ComApartment com;
  ScopedNewerFunctions functions{WithWic(GetParam())};
};

INSTANTIATE_TEST_SUITE_P(Decoders, PicturesTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Wic" : "Gdiplus"; });

TEST_P(PicturesTest, GifTransparencyBecomesAlpha) {
  PictureDecoder decoder;
  EXPECT_EQ(decoder.UsesWic(), GetParam());
  auto picture = decoder.Decode(Bytes(kTwoPixelGif));
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->width, 2);
  EXPECT_EQ(picture->height, 1);
  EXPECT_EQ(picture->pixels[0], 0xFFFF0000u);  // opaque red, BGRA in memory
  EXPECT_EQ(picture->pixels[1] >> 24, 0u);     // transparent
}

TEST_P(PicturesTest, JpegDecodesOpaque) {
  PictureDecoder decoder;
  auto picture = decoder.Decode(Bytes(kBlueJpeg));
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->width, 8);
  EXPECT_EQ(picture->height, 8);
  const std::uint32_t pixel = picture->pixels[27];
  EXPECT_EQ(pixel >> 24, 0xFFu);
  EXPECT_GT(pixel & 0xFF, 0xF0u);          // blue
  EXPECT_LT((pixel >> 16) & 0xFF, 0x10u);  // no red
}

TEST_P(PicturesTest, UndecodableBytesGiveNoPicture) {
  PictureDecoder decoder;
  constexpr unsigned char kNotAPicture[] = {'G', 'I', 'F', '8', '9', 'a', 0, 0};
  EXPECT_FALSE(decoder.Decode(Bytes(kNotAPicture)).has_value());
  EXPECT_FALSE(decoder.Decode({}).has_value());
}

// Every picture the windows name is embedded in desktop.exe under the name the library derives
// from its path, and decodes.
TEST_P(PicturesTest, DesktopExeCarriesEveryWindowAndGalleryPicture) {
  const auto exe = std::filesystem::path(Widen(Win32Environment().ProgramFolder())).parent_path() /
                   "program" / "desktop.exe";
  const UniqueModule owner(LoadLibraryExW(
      exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  const HMODULE module = owner.Get();
  ASSERT_NE(module, nullptr) << "desktop.exe is built into <build>/program";
  PictureLibrary library(module);
  std::vector<std::string> names = {
      "window/background.gif", "window/banner.gif", "window/iconik0.gif", "window/iconik1.gif",
      "window/icon2.gif",      "window/icon3.gif",  "window/icon4.gif",   "window/icon5.gif",
      "window/about.jpg",      "window/splash.bmp"};
  for (int i = 0; i < 20; ++i) names.push_back("icons/" + std::to_string(i) + ".gif");
  for (const std::string& name : names) {
    const Picture* picture = library.Get(name);
    ASSERT_NE(picture, nullptr) << name;
    EXPECT_GT(picture->width, 0) << name;
  }
  EXPECT_EQ(library.Get("window/background.gif")->width, 400);
  // The splash is read without the system's decoders; it must show what they would show.
  const Picture* splash = library.Get("window/splash.bmp");
  ASSERT_EQ(splash->width, 624);
  const std::optional<Picture> bySystem =
      PictureDecoder().Decode(ResourceBytes(module, "window/splash.bmp"));
  ASSERT_TRUE(bySystem.has_value());
  ASSERT_EQ(bySystem->width, splash->width);
  ASSERT_EQ(bySystem->height, splash->height);
  EXPECT_TRUE(std::equal(splash->pixels, splash->pixels + splash->width * splash->height,
                         bySystem->pixels));
  EXPECT_EQ(library.Get("window/missing.gif"), nullptr);
  EXPECT_NE(FindResourceW(module, ResourceNameOf("window/hand.cur").c_str(), RT_GROUP_CURSOR),
            nullptr);
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr);
}

// The progress control at 96 dpi into a 32-bit bitmap: fill, background, outline, clipping.
class ProgressDrawingTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 400;
  static constexpr int kHeight = 30;

  void SetUp() override {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < kWidth * kHeight; ++i) pixels[i] = 0x00123456;
  }

  void Draw(const MirellaProgress& progress) {
    MemoryDc dc(nullptr);
    SelectedObject selected(dc.Get(), bitmap.Get());
    // 5175 x 255 twips at 96 dpi: 345 x 17 pixels, placed at (10, 5).
    const RECT bounds{10, 5, 355, 22};
    DrawMirellaProgress(dc.Get(), bounds, progress, 96, fonts);
    GdiFlush();
  }
  // The pixel as 0x00RRGGBB.
  std::uint32_t At(int x, int y) const { return pixels[y * kWidth + x] & 0xFFFFFF; }

  FontCache fonts;
  UniqueBitmap bitmap;
  std::uint32_t* pixels = nullptr;
};

TEST_F(ProgressDrawingTest, FillsFromTheLeftOverTheBackgroundWithAnOutline) {
  MirellaProgress progress;
  progress.Resize(5175, 255);
  progress.SetValue(1500);  // 100 pixels
  Draw(progress);
  EXPECT_EQ(At(10 + 50, 7), 0xFFFFC0u);   // fill RGB(255, 255, 192)
  EXPECT_EQ(At(10 + 101, 7), 0xADD3FEu);  // background RGB(173, 211, 254)
  EXPECT_EQ(At(10 + 300, 7), 0xADD3FEu);
  const std::uint32_t outline = GetSysColor(COLOR_WINDOWTEXT);
  const std::uint32_t outlineRgb =
      (GetRValue(outline) << 16) | (GetGValue(outline) << 8) | GetBValue(outline);
  EXPECT_EQ(At(10, 5), outlineRgb);
  EXPECT_EQ(At(354, 21), outlineRgb);
  EXPECT_EQ(At(9, 5), 0x123456u);  // nothing outside the control
  // The caption is drawn in black somewhere on the middle row.
  bool black = false;
  for (int x = 10; x < 355; ++x) black = black || At(x, 13) == 0;
  EXPECT_TRUE(black);
}

TEST_F(ProgressDrawingTest, AFillWiderThanTheControlIsClipped) {
  MirellaProgress progress;
  progress.Resize(5175, 255);
  progress.SetValue(30000);
  Draw(progress);
  EXPECT_EQ(At(353, 7), 0xFFFFC0u);
  EXPECT_EQ(At(356, 7), 0x123456u);
  EXPECT_EQ(At(399, 7), 0x123456u);
}

}  // namespace
}  // namespace mirella::ui::win32
