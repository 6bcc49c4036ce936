#include "render/png_file.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "render/deflate_stream.h"

namespace mirella::render {
namespace {

const std::array<std::uint32_t, 256>& CrcTable() {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> made{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int bit = 0; bit < 8; ++bit) c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      made[n] = c;
    }
    return made;
  }();
  return table;
}

void AppendBigEndian(std::string& file, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) file.push_back(static_cast<char>(value >> shift));
}

// A chunk: its length, its type, its data and the CRC of type and data.
void AppendChunk(std::string& file, std::string_view type, std::string_view data) {
  AppendBigEndian(file, static_cast<std::uint32_t>(data.size()));
  const std::size_t checkedFrom = file.size();
  file.append(type);
  file.append(data);
  const auto& table = CrcTable();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t at = checkedFrom; at < file.size(); ++at) {
    crc = table[(crc ^ static_cast<std::uint8_t>(file[at])) & 0xFF] ^ (crc >> 8);
  }
  AppendBigEndian(file, crc ^ 0xFFFFFFFFu);
}

}  // namespace

std::string EncodePng(const BgrPixels& pixels) {
  const std::size_t width = static_cast<std::size_t>(pixels.width);
  const std::size_t height = static_cast<std::size_t>(pixels.height);
  // The rows top-down, each after its filter byte (0, none), each pixel red, green, blue.
  const std::size_t rowBytes = 1 + width * 3;
  ZlibStream stream;
  for (std::size_t y = 0; y < height; ++y) {
    const std::uint8_t* from = pixels.bits + pixels.stride * (height - 1 - y);
    std::uint8_t* to = stream.Room(rowBytes);
    *to++ = 0;
    for (std::size_t x = 0; x < width; ++x, from += 3, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
    stream.Add(rowBytes);
  }
  const std::string compressed = stream.Finish();

  std::string header;
  AppendBigEndian(header, static_cast<std::uint32_t>(width));
  AppendBigEndian(header, static_cast<std::uint32_t>(height));
  header += std::string_view("\x08\x02\x00\x00\x00",
                             5);  // 8 bits, RGB; deflate; filter set 0; not interlaced
  std::string file("\x89PNG\r\n\x1A\n", 8);
  file.reserve(8 + 25 + compressed.size() + 12 + 12);
  AppendChunk(file, "IHDR", header);
  AppendChunk(file, "IDAT", compressed);
  AppendChunk(file, "IEND", {});
  return file;
}

}  // namespace mirella::render
