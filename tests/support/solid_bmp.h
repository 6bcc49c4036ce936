#pragma once
// A 24-bit BMP file of one colour, as the desktop's drawing delivers its picture: for tests that
// need a real picture the system can show.

#include <cstdint>
#include <string>

namespace mirella::testing {

inline std::string SolidBmp(int width, int height, std::uint8_t red, std::uint8_t green,
                            std::uint8_t blue) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
  std::string bmp;
  auto put = [&bmp](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp.push_back(static_cast<char>(value >> (8 * i)));
  };
  bmp += "BM";
  put(54 + pixelBytes, 4);  // file size
  put(0, 4);
  put(54, 4);               // where the pixels start
  put(40, 4);               // BITMAPINFOHEADER
  put(static_cast<std::uint32_t>(width), 4);
  put(static_cast<std::uint32_t>(height), 4);  // bottom-up
  put(1, 2);
  put(24, 2);
  put(0, 4);                // BI_RGB
  put(pixelBytes, 4);
  put(2835, 4);             // 72 dpi
  put(2835, 4);
  put(0, 4);
  put(0, 4);
  std::string row;
  for (int x = 0; x < width; ++x) row += {static_cast<char>(blue), static_cast<char>(green),
                                         static_cast<char>(red)};
  row.resize(rowBytes, '\0');
  for (int y = 0; y < height; ++y) bmp += row;
  return bmp;
}

}  // namespace mirella::testing
