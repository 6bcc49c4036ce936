// The program's own PNG and deflate encoders against zlib's inflate, the reference decoder: what
// they write must come back byte for byte, whatever the bytes, and a background tile repeated
// across rows must shrink to a small share. The system's decoder reads a whole drawn page in the
// Win32 tests (tests/win32/png_file_test.cpp).

#include "render/png_file.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "render/deflate_stream.h"

namespace mirella::render {
namespace {

std::vector<std::uint8_t> Inflated(const std::string& stream, std::size_t expectedSize) {
  std::vector<std::uint8_t> out(expectedSize + 1);  // one more, to see a stream that runs long
  uLongf size = static_cast<uLongf>(out.size());
  const int result = uncompress(out.data(), &size, reinterpret_cast<const Bytef*>(stream.data()),
                                static_cast<uLong>(stream.size()));
  EXPECT_EQ(result, Z_OK) << "zlib refused the stream";
  out.resize(size);
  return out;
}

// The bytes through one stream, handed in pieces as a picture's rows are.
std::string Compressed(const std::vector<std::uint8_t>& data) {
  constexpr std::size_t kPiece = 64 * 1024;
  ZlibStream stream;
  for (std::size_t from = 0; from < data.size(); from += kPiece) {
    const std::size_t size = std::min(kPiece, data.size() - from);
    std::memcpy(stream.Room(size), data.data() + from, size);
    stream.Add(size);
  }
  return stream.Finish();
}

TEST(DeflateStreamTest, EveryKindOfInputInflatesToItself) {
  std::mt19937 random(7);
  const auto noise = [&](std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
    return bytes;
  };
  std::vector<std::vector<std::uint8_t>> inputs = {{}, {42}, {1, 2, 3}, {9, 9, 9, 9, 9}};
  inputs.push_back(noise(100000));  // no matches: every literal, high and low codes
  inputs.push_back(std::vector<std::uint8_t>(70000, 0xEE));  // one run, far longer than a match
  // A block that comes back exactly 32768 bytes later, the farthest a match reaches, and one
  // that comes back a byte too far to be matched.
  for (const std::size_t gap : {std::size_t{32768}, std::size_t{32769}}) {
    std::vector<std::uint8_t> bytes = noise(gap + 600);
    std::copy(bytes.begin(), bytes.begin() + 600, bytes.begin() + static_cast<std::ptrdiff_t>(gap));
    inputs.push_back(bytes);
  }
  // Short repeats at every distance and length, mixed with noise, the way text is.
  std::vector<std::uint8_t> mixed = noise(2000);
  for (int n = 0; n < 3000; ++n) {
    const std::size_t distance = 1 + random() % std::min<std::size_t>(mixed.size(), 40000);
    const std::size_t length = 1 + random() % 300;
    for (std::size_t i = 0; i < length; ++i) mixed.push_back(mixed[mixed.size() - distance]);
    mixed.push_back(static_cast<std::uint8_t>(random()));
  }
  inputs.push_back(mixed);
  for (const auto& input : inputs) {
    const std::string stream = Compressed(input);
    EXPECT_EQ(Inflated(stream, input.size()), input) << "an input of " << input.size() << " bytes";
    EXPECT_EQ(Adler32(input), adler32(1, input.data(), static_cast<uInt>(input.size())));
  }
}

// The chunks of a PNG file in order: type and data, each checked against its CRC.
std::vector<std::pair<std::string, std::string>> Chunks(const std::string& file) {
  std::vector<std::pair<std::string, std::string>> chunks;
  EXPECT_EQ(file.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
  const auto word = [&](std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = (value << 8) | static_cast<std::uint8_t>(file[at + i]);
    return value;
  };
  for (std::size_t at = 8; at + 12 <= file.size();) {
    const std::uint32_t length = word(at);
    const std::string typeAndData = file.substr(at + 4, 4 + length);
    EXPECT_EQ(word(at + 8 + length),
              crc32(0, reinterpret_cast<const Bytef*>(typeAndData.data()), 4 + length));
    chunks.emplace_back(typeAndData.substr(0, 4), typeAndData.substr(4));
    at += 12 + length;
  }
  return chunks;
}

TEST(PngFileTest, RowsComeBackTopDownAsRgbAndARepeatedTileIsSmall) {
  constexpr int kWidth = 1001;  // rows padded in the source, odd in the file
  constexpr int kHeight = 600;
  const std::size_t stride = (kWidth * 3 + 3) & ~std::size_t{3};
  std::vector<std::uint8_t> bmp(stride * kHeight, 0xAB);
  // A 16-pixel tile whose colour changes down the rows, with a square of noise on it.
  std::mt19937 random(3);
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* row = bmp.data() + stride * (kHeight - 1 - y);
    for (int x = 0; x < kWidth; ++x) {
      const bool noisy = x >= 100 && x < 200 && y >= 50 && y < 150;
      row[x * 3] = noisy ? static_cast<std::uint8_t>(random()) : static_cast<std::uint8_t>(y / 3);
      row[x * 3 + 1] = static_cast<std::uint8_t>(x % 16 * 8);
      row[x * 3 + 2] = 200;
    }
  }
  const std::string file = EncodePng({bmp.data(), kWidth, kHeight, stride});

  const auto chunks = Chunks(file);
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].first, "IHDR");
  EXPECT_EQ(chunks[0].second, std::string("\0\0\x03\xE9\0\0\x02\x58\x08\x02\0\0\0", 13));
  EXPECT_EQ(chunks[1].first, "IDAT");
  EXPECT_EQ(chunks[2].first, "IEND");
  const std::size_t rowBytes = 1 + kWidth * 3;
  const std::vector<std::uint8_t> rows = Inflated(chunks[1].second, rowBytes * kHeight);
  ASSERT_EQ(rows.size(), rowBytes * kHeight);
  int differing = 0;
  for (int y = 0; y < kHeight; ++y) {
    const std::uint8_t* row = rows.data() + rowBytes * y;
    const std::uint8_t* source = bmp.data() + stride * (kHeight - 1 - y);
    differing += row[0] != 0 ? 1 : 0;
    for (int x = 0; x < kWidth * 3; x += 3) {
      differing +=
          row[1 + x] != source[x + 2] || row[2 + x] != source[x + 1] || row[3 + x] != source[x];
    }
  }
  EXPECT_EQ(differing, 0);
  // The noise alone is 30 000 bytes, the tile's 1.8 MB a few per cent of that.
  EXPECT_LT(file.size(), 30000u + 60000u);
}

}  // namespace
}  // namespace mirella::render
