#include "render/bmp_image.h"

#include <cstdlib>

namespace mirella::render {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER, the least a reader needs
// Larger than any picture the program ships, small enough that no size below overflows.
constexpr std::int64_t kMaxSide = 16384;

std::uint32_t Little(std::span<const std::byte> bytes, std::size_t at, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
  }
  return value;
}

}  // namespace

std::optional<BmpFormat> ReadBmpFormat(std::span<const std::byte> file) {
  if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != std::byte{'B'} ||
      file[1] != std::byte{'M'}) {
    return std::nullopt;
  }
  const std::size_t pixelsAt = Little(file, 10, 4);
  const std::size_t infoSize = Little(file, 14, 4);
  const auto width = static_cast<std::int32_t>(Little(file, 18, 4));
  const auto height = static_cast<std::int32_t>(Little(file, 22, 4));
  const std::uint32_t planes = Little(file, 26, 2);
  const std::uint32_t bitsPerPixel = Little(file, 28, 2);
  const std::uint32_t compression = Little(file, 30, 4);
  const std::int64_t rows = std::llabs(static_cast<std::int64_t>(height));
  if (infoSize < kInfoHeaderSize || infoSize > file.size() || planes != 1 ||
      bitsPerPixel != 24 || compression != 0 || width <= 0 || width > kMaxSide || rows == 0 ||
      rows > kMaxSide) {
    return std::nullopt;
  }
  BmpFormat format;
  format.width = width;
  format.height = static_cast<int>(rows);
  format.pixelsAt = pixelsAt;
  format.stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  format.bottomUp = height > 0;
  if (pixelsAt < kFileHeaderSize + infoSize || pixelsAt > file.size() ||
      (file.size() - pixelsAt) / format.stride < static_cast<std::size_t>(rows)) {
    return std::nullopt;
  }
  return format;
}

void ReadBmpPixels(std::span<const std::byte> file, const BmpFormat& format,
                   std::uint32_t* target) {
  for (int y = 0; y < format.height; ++y) {
    const int storedRow = format.bottomUp ? format.height - 1 - y : y;
    const std::byte* source = file.data() + format.pixelsAt + format.stride * storedRow;
    for (int x = 0; x < format.width; ++x, source += 3) {
      *target++ = 0xFF000000u | static_cast<std::uint32_t>(source[2]) << 16 |
                  static_cast<std::uint32_t>(source[1]) << 8 |
                  static_cast<std::uint32_t>(source[0]);
    }
  }
}

}  // namespace mirella::render
