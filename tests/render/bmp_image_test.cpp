// The BMP reader: row order and padding, and every file it must leave to the system's decoders.

#include "render/bmp_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace mirella::render {
namespace {

void PutLittle(std::vector<std::byte>& file, std::size_t at, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) file[at + i] = std::byte((value >> (8 * i)) & 0xFF);
}

// A 3 x 2 24-bit file (rows padded from 9 to 12 bytes); pixel (x, y) is blue x, green y, red 7.
std::vector<std::byte> ThreeByTwo(bool bottomUp) {
  std::vector<std::byte> file(54 + 2 * 12);
  file[0] = std::byte{'B'};
  file[1] = std::byte{'M'};
  PutLittle(file, 2, static_cast<std::uint32_t>(file.size()), 4);
  PutLittle(file, 10, 54, 4);
  PutLittle(file, 14, 40, 4);
  PutLittle(file, 18, 3, 4);
  PutLittle(file, 22, bottomUp ? 2 : static_cast<std::uint32_t>(-2), 4);
  PutLittle(file, 26, 1, 2);
  PutLittle(file, 28, 24, 2);
  for (int y = 0; y < 2; ++y) {
    const std::size_t row = 54 + 12 * (bottomUp ? 1 - y : y);
    for (int x = 0; x < 3; ++x) {
      file[row + 3 * x] = std::byte(x);
      file[row + 3 * x + 1] = std::byte(y);
      file[row + 3 * x + 2] = std::byte{7};
    }
  }
  return file;
}

TEST(BmpImageTest, ReadsBothRowOrdersTopDownAndOpaque) {
  for (bool bottomUp : {true, false}) {
    const std::vector<std::byte> file = ThreeByTwo(bottomUp);
    const auto format = ReadBmpFormat(file);
    ASSERT_TRUE(format.has_value());
    ASSERT_EQ(format->width, 3);
    ASSERT_EQ(format->height, 2);
    std::vector<std::uint32_t> pixels(6);
    ReadBmpPixels(file, *format, pixels.data());
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(pixels[3 * y + x], 0xFF070000u | static_cast<std::uint32_t>(y) << 8 |
                                         static_cast<std::uint32_t>(x))
            << x << "," << y << (bottomUp ? " bottom-up" : " top-down");
      }
    }
  }
}

TEST(BmpImageTest, LeavesOtherAndDamagedFilesToTheSystem) {
  const std::vector<std::byte> good = ThreeByTwo(true);
  for (std::size_t size = 0; size < good.size(); ++size) {
    EXPECT_FALSE(ReadBmpFormat(std::span(good.data(), size)).has_value()) << size;
  }
  const auto changed = [&good](std::size_t at, std::uint32_t value, int count) {
    std::vector<std::byte> file = good;
    PutLittle(file, at, value, count);
    return ReadBmpFormat(file).has_value();
  };
  EXPECT_FALSE(changed(0, 'G' | 'I' << 8, 2)) << "another kind of file";
  EXPECT_FALSE(changed(28, 32, 2)) << "another depth";
  EXPECT_FALSE(changed(30, 1, 4)) << "run-length compressed";
  EXPECT_FALSE(changed(18, 0, 4)) << "no width";
  EXPECT_FALSE(changed(22, 0x7FFFFFFF, 4)) << "a height out of reason";
  EXPECT_FALSE(changed(10, 0xFFFFFFF0u, 4)) << "pixels beyond the end";
  EXPECT_FALSE(changed(14, 0xFFFFFFFFu, 4)) << "a header larger than the file";
}

}  // namespace
}  // namespace mirella::render
