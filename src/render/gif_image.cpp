#include "render/gif_image.h"

#include <array>
#include <cstdint>
#include <vector>

namespace mirella::render {
namespace {

class Reader {
 public:
  explicit Reader(std::span<const std::byte> bytes) : bytes_(bytes) {}
  bool Has(std::size_t count) const { return bytes_.size() - position_ >= count; }
  std::uint8_t Byte() { return Has(1) ? static_cast<std::uint8_t>(bytes_[position_++]) : 0; }
  int Word() {
    const int low = Byte();
    return low | (Byte() << 8);
  }
  bool Skip(std::size_t count) {
    if (!Has(count)) return false;
    position_ += count;
    return true;
  }
  const std::byte* Here() const { return bytes_.data() + position_; }

 private:
  std::span<const std::byte> bytes_;
  std::size_t position_ = 0;
};

// A colour table as opaque pixels.
std::vector<std::uint32_t> ReadColours(Reader& reader, int flags) {
  const std::size_t count = std::size_t{2} << (flags & 7);
  std::vector<std::uint32_t> colours;
  if (!reader.Has(count * 3)) return colours;
  colours.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t red = reader.Byte();
    const std::uint32_t green = reader.Byte();
    const std::uint32_t blue = reader.Byte();
    colours.push_back(0xFF000000u | (red << 16) | (green << 8) | blue);
  }
  return colours;
}

// Skips data sub-blocks up to and including the terminator; false when the file ends first.
bool SkipBlocks(Reader& reader) {
  for (;;) {
    if (!reader.Has(1)) return false;
    const std::uint8_t size = reader.Byte();
    if (size == 0) return true;
    if (!reader.Skip(size)) return false;
  }
}

// The image's colour indices, decompressed from its sub-blocks; fewer than `count` when the
// data ends early (the rest then stay 0, as decoders show a cut file).
std::vector<std::uint8_t> Decompress(Reader& reader, int minimumCodeSize, std::size_t count) {
  std::vector<std::uint8_t> indices;
  indices.reserve(count);
  if (minimumCodeSize < 1 || minimumCodeSize > 11) return indices;
  const int clear = 1 << minimumCodeSize;
  const int end = clear + 1;
  constexpr int kMaxCodes = 4096;
  std::array<std::uint16_t, kMaxCodes> prefix{};
  std::array<std::uint8_t, kMaxCodes> suffix{};
  std::array<std::uint8_t, kMaxCodes> first{};  // the first index of each code's string
  std::array<std::uint8_t, kMaxCodes> stack{};
  for (int i = 0; i < clear; ++i) {
    suffix[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    first[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  }
  int codeSize = minimumCodeSize + 1;
  int next = clear + 2;
  int previous = -1;
  std::uint32_t bits = 0;
  int bitCount = 0;
  bool finished = false;
  while (!finished) {
    if (!reader.Has(1)) break;
    const std::uint8_t blockSize = reader.Byte();
    if (blockSize == 0 || !reader.Has(blockSize)) break;
    const std::byte* block = reader.Here();
    reader.Skip(blockSize);
    for (std::size_t b = 0; b < blockSize && !finished; ++b) {
      bits |= static_cast<std::uint32_t>(block[b]) << bitCount;
      bitCount += 8;
      while (bitCount >= codeSize && !finished) {
        const int code = static_cast<int>(bits & ((1u << codeSize) - 1));
        bits >>= codeSize;
        bitCount -= codeSize;
        if (code == clear) {
          codeSize = minimumCodeSize + 1;
          next = clear + 2;
          previous = -1;
          continue;
        }
        if (code == end || indices.size() >= count) {
          finished = true;
          break;
        }
        int string = code;
        std::size_t depth = 0;
        if (previous < 0) {
          if (code >= clear) {  // a compressed code before any string: broken data
            finished = true;
            break;
          }
        } else if (code > next || (code == next && next >= kMaxCodes)) {
          finished = true;
          break;
        } else if (next < kMaxCodes) {
          // The new code is the previous string and the first index of this one (of the
          // previous one when this code is the one being defined).
          const int head = code == next ? first[static_cast<std::size_t>(previous)]
                                        : first[static_cast<std::size_t>(code)];
          prefix[static_cast<std::size_t>(next)] = static_cast<std::uint16_t>(previous);
          suffix[static_cast<std::size_t>(next)] = static_cast<std::uint8_t>(head);
          first[static_cast<std::size_t>(next)] = first[static_cast<std::size_t>(previous)];
          ++next;
          if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
        }
        while (string >= clear) {
          stack[depth++] = suffix[static_cast<std::size_t>(string)];
          string = prefix[static_cast<std::size_t>(string)];
        }
        stack[depth++] = static_cast<std::uint8_t>(string);
        while (depth > 0 && indices.size() < count) indices.push_back(stack[--depth]);
        previous = code;
      }
    }
  }
  return indices;
}

}  // namespace

std::optional<PixelImage> DecodeGif(std::span<const std::byte> file) {
  Reader reader(file);
  if (!reader.Has(13)) return std::nullopt;
  const std::byte* signature = reader.Here();
  const auto at = [&](int i) { return static_cast<char>(signature[i]); };
  if (at(0) != 'G' || at(1) != 'I' || at(2) != 'F' || at(3) != '8' ||
      (at(4) != '7' && at(4) != '9') || at(5) != 'a') {
    return std::nullopt;
  }
  reader.Skip(6);
  reader.Word();  // the logical screen's size: the first image is taken at its own size
  reader.Word();
  const int screenFlags = reader.Byte();
  reader.Skip(2);  // background colour and aspect ratio
  std::vector<std::uint32_t> globalColours;
  if ((screenFlags & 0x80) != 0) {
    globalColours = ReadColours(reader, screenFlags);
    if (globalColours.empty()) return std::nullopt;
  }
  int transparent = -1;
  for (;;) {
    if (!reader.Has(1)) return std::nullopt;
    const std::uint8_t introducer = reader.Byte();
    if (introducer == 0x21) {  // an extension
      const std::uint8_t label = reader.Byte();
      if (label == 0xF9 && reader.Has(6)) {  // graphic control: the transparent colour
        const std::uint8_t size = reader.Byte();
        if (size >= 4) {
          const int flags = reader.Byte();
          reader.Word();  // delay
          const int index = reader.Byte();
          transparent = (flags & 1) != 0 ? index : -1;
          reader.Skip(size - 4u);
        } else if (!reader.Skip(size)) {
          return std::nullopt;
        }
      }
      if (!SkipBlocks(reader)) return std::nullopt;
      continue;
    }
    if (introducer != 0x2C) return std::nullopt;  // the trailer, or no GIF block at all
    if (!reader.Has(9)) return std::nullopt;
    reader.Word();  // the image's place on the logical screen
    reader.Word();
    const int width = reader.Word();
    const int height = reader.Word();
    const int flags = reader.Byte();
    if (width == 0 || height == 0) return std::nullopt;
    std::vector<std::uint32_t> colours =
        (flags & 0x80) != 0 ? ReadColours(reader, flags) : globalColours;
    if (colours.empty()) return std::nullopt;
    if (transparent >= 0 && static_cast<std::size_t>(transparent) < colours.size()) {
      colours[static_cast<std::size_t>(transparent)] = 0;
    }
    if (!reader.Has(1)) return std::nullopt;
    const int minimumCodeSize = reader.Byte();
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::vector<std::uint8_t> indices = Decompress(reader, minimumCodeSize, count);
    if (indices.empty()) return std::nullopt;

    PixelImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(count, 0);
    // Rows come in their order, or in the four passes of an interlaced image.
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(height));
    if ((flags & 0x40) != 0) {
      for (const auto& [start, step] :
           {std::pair{0, 8}, std::pair{4, 8}, std::pair{2, 4}, std::pair{1, 2}}) {
        for (int y = start; y < height; y += step) rows.push_back(y);
      }
    } else {
      for (int y = 0; y < height; ++y) rows.push_back(y);
    }
    for (std::size_t i = 0; i < indices.size(); ++i) {
      const std::size_t row = static_cast<std::size_t>(rows[i / static_cast<std::size_t>(width)]);
      const std::uint8_t index = indices[i];
      image.pixels[row * static_cast<std::size_t>(width) + i % static_cast<std::size_t>(width)] =
          index < colours.size() ? colours[index] : 0xFF000000u;
    }
    return image;
  }
}

}  // namespace mirella::render
