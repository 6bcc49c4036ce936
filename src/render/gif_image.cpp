#include "render/gif_image.h"

#include <array>
#include <cstdint>
#include <utility>
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

// The decoder of an image's LZW codes: bytes of the code stream in, colour indices out, up to
// `count` of them.
class LzwDecoder {
 public:
  LzwDecoder(int minimumCodeSize, std::size_t count, std::vector<std::uint8_t>& indices)
      : minimumCodeSize_(minimumCodeSize),
        clear_(1 << minimumCodeSize),
        end_(clear_ + 1),
        count_(count),
        indices_(indices) {
    for (int i = 0; i < clear_; ++i) {
      suffix_[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
      first_[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    }
    Clear();
  }

  // Takes the code stream's next byte; false once the image's data has ended: at its end code,
  // once every index is there, or at a code that cannot be decoded.
  bool Take(std::byte byte) {
    bits_ |= static_cast<std::uint32_t>(byte) << bitCount_;
    bitCount_ += 8;
    while (bitCount_ >= codeSize_) {
      const int code = static_cast<int>(bits_ & ((1u << codeSize_) - 1));
      bits_ >>= codeSize_;
      bitCount_ -= codeSize_;
      if (!Decode(code)) return false;
    }
    return true;
  }

 private:
  static constexpr int kMaxCodes = 4096;

  void Clear() {
    codeSize_ = minimumCodeSize_ + 1;
    next_ = clear_ + 2;
    previous_ = -1;
  }

  bool Decode(int code) {
    if (code == clear_) {
      Clear();
      return true;
    }
    if (code == end_ || indices_.size() >= count_) return false;
    if (previous_ < 0) {
      if (code >= clear_) return false;  // a compressed code before any string: broken data
    } else if (code > next_ || (code == next_ && next_ >= kMaxCodes)) {
      return false;
    } else if (next_ < kMaxCodes) {
      Define(code);
    }
    Emit(code);
    previous_ = code;
    return true;
  }

  // The next code is the previous string and the first index of this one (of the previous one
  // when this code is the one being defined).
  void Define(int code) {
    const int head = code == next_ ? first_[static_cast<std::size_t>(previous_)]
                                   : first_[static_cast<std::size_t>(code)];
    prefix_[static_cast<std::size_t>(next_)] = static_cast<std::uint16_t>(previous_);
    suffix_[static_cast<std::size_t>(next_)] = static_cast<std::uint8_t>(head);
    first_[static_cast<std::size_t>(next_)] = first_[static_cast<std::size_t>(previous_)];
    ++next_;
    if (next_ == (1 << codeSize_) && codeSize_ < 12) ++codeSize_;
  }

  // The code's string of indices, which its table holds last index first.
  void Emit(int code) {
    int string = code;
    std::size_t depth = 0;
    while (string >= clear_) {
      stack_[depth++] = suffix_[static_cast<std::size_t>(string)];
      string = prefix_[static_cast<std::size_t>(string)];
    }
    stack_[depth++] = static_cast<std::uint8_t>(string);
    while (depth > 0 && indices_.size() < count_) indices_.push_back(stack_[--depth]);
  }

  const int minimumCodeSize_;
  const int clear_;
  const int end_;
  const std::size_t count_;
  std::vector<std::uint8_t>& indices_;
  std::array<std::uint16_t, kMaxCodes> prefix_{};
  std::array<std::uint8_t, kMaxCodes> suffix_{};
  std::array<std::uint8_t, kMaxCodes> first_{};  // the first index of each code's string
  std::array<std::uint8_t, kMaxCodes> stack_{};
  int codeSize_ = 0;
  int next_ = 0;
  int previous_ = -1;
  std::uint32_t bits_ = 0;
  int bitCount_ = 0;
};

// The image's colour indices, decompressed from its sub-blocks; fewer than `count` when the
// data ends early (the rest then stay 0, as decoders show a cut file).
std::vector<std::uint8_t> Decompress(Reader& reader, int minimumCodeSize, std::size_t count) {
  std::vector<std::uint8_t> indices;
  indices.reserve(count);
  if (minimumCodeSize < 1 || minimumCodeSize > 11) return indices;
  LzwDecoder decoder(minimumCodeSize, count, indices);
  for (bool more = true; more;) {
    if (!reader.Has(1)) break;
    const std::uint8_t blockSize = reader.Byte();
    if (blockSize == 0 || !reader.Has(blockSize)) break;
    const std::byte* block = reader.Here();
    reader.Skip(blockSize);
    for (std::size_t b = 0; b < blockSize && more; ++b) more = decoder.Take(block[b]);
  }
  return indices;
}

// The signature and the logical screen, with the global colour table when there is one; false
// when the bytes are no GIF.
bool ReadHeader(Reader& reader, std::vector<std::uint32_t>& globalColours) {
  if (!reader.Has(13)) return false;
  const std::byte* signature = reader.Here();
  const auto at = [&](int i) { return static_cast<char>(signature[i]); };
  if (at(0) != 'G' || at(1) != 'I' || at(2) != 'F' || at(3) != '8' ||
      (at(4) != '7' && at(4) != '9') || at(5) != 'a') {
    return false;
  }
  reader.Skip(6);
  reader.Word();  // the logical screen's size: the first image is taken at its own size
  reader.Word();
  const int screenFlags = reader.Byte();
  reader.Skip(2);  // background colour and aspect ratio
  if ((screenFlags & 0x80) == 0) return true;
  globalColours = ReadColours(reader, screenFlags);
  return !globalColours.empty();
}

// An extension after its introducer; of them only the graphic control's transparent colour
// counts. False when the file ends within it.
bool ReadExtension(Reader& reader, int& transparent) {
  const std::uint8_t label = reader.Byte();
  if (label == 0xF9 && reader.Has(6)) {
    const std::uint8_t size = reader.Byte();
    if (size >= 4) {
      const int flags = reader.Byte();
      reader.Word();  // delay
      const int index = reader.Byte();
      transparent = (flags & 1) != 0 ? index : -1;
      reader.Skip(size - 4u);
    } else if (!reader.Skip(size)) {
      return false;
    }
  }
  return SkipBlocks(reader);
}

// The pixels of the image's indices. Rows come in their order, or in the four passes of an
// interlaced image.
PixelImage PaintIndices(const std::vector<std::uint8_t>& indices,
                        const std::vector<std::uint32_t>& colours, int width, int height,
                        bool interlaced) {
  PixelImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(height));
  if (interlaced) {
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

// An image after its separator.
std::optional<PixelImage> ReadImage(Reader& reader, const std::vector<std::uint32_t>& globalColours,
                                    int transparent) {
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
  return PaintIndices(indices, colours, width, height, (flags & 0x40) != 0);
}

}  // namespace

std::optional<PixelImage> DecodeGif(std::span<const std::byte> file) {
  Reader reader(file);
  std::vector<std::uint32_t> globalColours;
  if (!ReadHeader(reader, globalColours)) return std::nullopt;
  int transparent = -1;
  for (;;) {
    if (!reader.Has(1)) return std::nullopt;
    const std::uint8_t introducer = reader.Byte();
    if (introducer == 0x21) {
      if (!ReadExtension(reader, transparent)) return std::nullopt;
      continue;
    }
    if (introducer != 0x2C) return std::nullopt;  // the trailer, or no GIF block at all
    return ReadImage(reader, globalColours, transparent);
  }
}

}  // namespace mirella::render
