#include "render/deflate_stream.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

namespace mirella::render {
namespace {

constexpr std::size_t kMinimumMatch = 4;  // what the hash covers; deflate itself allows 3
constexpr std::size_t kLongestMatch = 258;
constexpr std::size_t kFarthestMatch = 32768;
constexpr int kHashBits = 14;
// The bytes kept at once: the 32 KB a match reaches back to and the pieces that come after them.
constexpr std::size_t kWindowBytes = 512 * 1024;

// Bits to be written first-in-lowest, as deflate packs them: a Huffman code bit-reversed, with
// any extra bits after it.
struct Code {
  std::uint32_t bits = 0;
  std::uint32_t count = 0;
};

constexpr std::uint32_t Reversed(std::uint32_t code, std::uint32_t count) {
  std::uint32_t reversed = 0;
  for (std::uint32_t bit = 0; bit < count; ++bit)
    reversed |= ((code >> bit) & 1u) << (count - 1 - bit);
  return reversed;
}

// The fixed literal/length code of symbol 0..287.
constexpr Code FixedLiteralCode(std::uint32_t symbol) {
  if (symbol < 144) return {Reversed(0x30 + symbol, 8), 8};
  if (symbol < 256) return {Reversed(0x190 + symbol - 144, 9), 9};
  if (symbol < 280) return {Reversed(symbol - 256, 7), 7};
  return {Reversed(0xC0 + symbol - 280, 8), 8};
}

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                       15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                         4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                         9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

struct CodeTables {
  std::array<Code, 256> literals{};
  std::array<Code, kLongestMatch + 1> lengths{};  // the length's symbol and extra bits
  // The distance's code for distance - 1 below 256, and for (distance - 1) >> 7 at 256 + that.
  std::array<std::uint8_t, 512> distanceCodes{};
  Code endOfBlock;

  CodeTables() {
    for (std::uint32_t literal = 0; literal < 256; ++literal) {
      literals[literal] = FixedLiteralCode(literal);
    }
    endOfBlock = FixedLiteralCode(256);
    for (std::size_t code = 0; code < kLengthBase.size(); ++code) {
      const std::uint32_t last = code + 1 < kLengthBase.size() ? kLengthBase[code + 1] - 1u : 258u;
      const Code symbol = FixedLiteralCode(257 + static_cast<std::uint32_t>(code));
      for (std::uint32_t length = kLengthBase[code]; length <= last; ++length) {
        lengths[length] = {symbol.bits | ((length - kLengthBase[code]) << symbol.count),
                           symbol.count + kLengthExtra[code]};
      }
    }
    for (std::size_t code = 0; code < kDistanceBase.size(); ++code) {
      const std::uint32_t last =
          code + 1 < kDistanceBase.size() ? kDistanceBase[code + 1] - 1u : 32768u;
      for (std::uint32_t distance = kDistanceBase[code]; distance <= last; ++distance) {
        const std::uint32_t index = distance <= 256 ? distance - 1 : 256 + ((distance - 1) >> 7);
        distanceCodes[index] = static_cast<std::uint8_t>(code);
      }
    }
  }

  Code Distance(std::size_t distance) const {
    const std::size_t index = distance <= 256 ? distance - 1 : 256 + ((distance - 1) >> 7);
    const std::uint8_t code = distanceCodes[index];
    return {Reversed(code, 5) | (static_cast<std::uint32_t>(distance - kDistanceBase[code]) << 5),
            5u + kDistanceExtra[code]};
  }
};

const CodeTables& Tables() {
  static const CodeTables tables;
  return tables;
}

std::uint32_t Load32(const std::uint8_t* at) {
  std::uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

std::uint64_t Load64(const std::uint8_t* at) {
  std::uint64_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

std::uint32_t HashOf(std::uint32_t fourBytes) {
  return (fourBytes * 2654435761u) >> (32 - kHashBits);
}

// How many of the `limit` bytes at `a` and `b` agree from the start. Read eight at a time, as
// little-endian words: the first byte that differs is the lowest set byte of their difference.
static_assert(std::endian::native == std::endian::little, "every build of Mirella runs on x86");
std::size_t CommonLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit) {
  std::size_t length = 0;
  while (length + 8 <= limit) {
    const std::uint64_t difference = Load64(a + length) ^ Load64(b + length);
    if (difference != 0) return length + static_cast<std::size_t>(std::countr_zero(difference)) / 8;
    length += 8;
  }
  while (length < limit && a[length] == b[length]) ++length;
  return length;
}

}  // namespace

std::uint32_t Adler32(std::span<const std::uint8_t> data, std::uint32_t adler) {
  constexpr std::uint32_t kModulus = 65521;
  // The most blocks of 16 whose sums stay within 32 bits before they are reduced (zlib's 5552
  // bytes).
  constexpr std::size_t kMostBlocks = 5552 / 16;
  std::uint32_t low = adler & 0xFFFF;
  std::uint32_t high = adler >> 16;
  const std::uint8_t* at = data.data();
  std::size_t left = data.size();
  // Over B blocks of 16 bytes, byte j of block k adds itself to `low`, and 16 (B - k) - j times
  // itself to `high`. So each of the 16 columns keeps the sum of its bytes and the sum of those
  // sums block by block, which the compiler does in vector registers, and the two are weighed
  // together at the end of the run.
  while (left >= 16) {
    const std::size_t blocks = std::min(left / 16, kMostBlocks);
    left -= blocks * 16;
    std::uint32_t column[16] = {};
    std::uint32_t columnBefore[16] = {};  // the column's sums before each block, added up
    for (std::size_t block = 0; block < blocks; ++block, at += 16) {
      // Unrolled, the loop is no longer one the compiler turns into vector operations.
#pragma GCC unroll 1
      for (std::size_t j = 0; j < 16; ++j) {
        columnBefore[j] += column[j];
        column[j] += at[j];
      }
    }
    std::uint32_t sum = 0;
    std::uint32_t weighted = 0;
    std::uint32_t blockSums = 0;
    for (std::uint32_t j = 0; j < 16; ++j) {
      sum += column[j];
      blockSums += columnBefore[j] + column[j];
      weighted += j * column[j];
    }
    high = (high + static_cast<std::uint32_t>(blocks) * 16 * low + 16 * blockSums - weighted) %
           kModulus;
    low = (low + sum) % kModulus;
  }
  for (; left > 0; --left, ++at) {
    low += *at;
    high += low;
  }
  return ((high % kModulus) << 16) | (low % kModulus);
}

// Writes bits first-in-lowest, four bytes at a time; fewer than 32 bits wait in between, so one
// call may add up to 32. Reserve() makes room beforehand for the worst a piece can take.
class ZlibStream::Writer {
 public:
  void Reserve(std::size_t bytes) {
    if (capacity_ - used_ >= bytes + 8) return;
    const std::size_t capacity = std::max(capacity_ * 2, used_ + bytes + 8);
    std::unique_ptr<std::uint8_t[]> larger(new std::uint8_t[capacity]);
    if (used_ > 0) std::memcpy(larger.get(), bytes_.get(), used_);
    bytes_ = std::move(larger);
    capacity_ = capacity;
  }

  void Write(Code code) {
    pending_ |= static_cast<std::uint64_t>(code.bits) << count_;
    count_ += code.count;
    if (count_ >= 32) {
      const std::uint32_t word = static_cast<std::uint32_t>(pending_);
      const std::uint8_t bytes[4] = {
          static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8),
          static_cast<std::uint8_t>(word >> 16), static_cast<std::uint8_t>(word >> 24)};
      std::memcpy(bytes_.get() + used_, bytes, 4);
      used_ += 4;
      pending_ >>= 32;
      count_ -= 32;
    }
  }

  // What was written, with the bits that wait padded with zeros to a whole byte.
  std::string Finish() {
    Reserve(4);
    for (; count_ > 0; count_ = count_ > 8 ? count_ - 8 : 0) {
      bytes_[used_++] = static_cast<std::uint8_t>(pending_);
      pending_ >>= 8;
    }
    return std::string(reinterpret_cast<const char*>(bytes_.get()), used_);
  }

 private:
  std::unique_ptr<std::uint8_t[]> bytes_;
  std::size_t capacity_ = 0;
  std::size_t used_ = 0;
  std::uint64_t pending_ = 0;
  std::uint32_t count_ = 0;
};

ZlibStream::ZlibStream()
    : window_(kWindowBytes), latest_(std::size_t{1} << kHashBits, 0), writer_(new Writer) {
  writer_->Reserve(2);
  writer_->Write({0x0178, 16});  // CMF 0x78 (deflate, a 32 KB window), FLG 0x01: 0x7801 % 31 == 0
  writer_->Write({0b011, 3});    // the final block, with the fixed codes
}

ZlibStream::~ZlibStream() = default;

std::uint8_t* ZlibStream::Room(std::size_t size) {
  if (held_ + size > window_.size()) {
    Compress(base_ + held_, false);
    // Keep what a match may still reach back to, and what is not compressed yet.
    const std::uint64_t keepFrom =
        std::max(base_, next_ > kFarthestMatch ? next_ - kFarthestMatch : 0);
    const std::size_t dropped = static_cast<std::size_t>(keepFrom - base_);
    std::memmove(window_.data(), window_.data() + dropped, held_ - dropped);
    held_ -= dropped;
    base_ = keepFrom;
    if (held_ + size > window_.size()) window_.resize(held_ + size);
  }
  return window_.data() + held_;
}

void ZlibStream::Add(std::size_t size) {
  adler_ = Adler32(std::span(window_.data() + held_, size), adler_);
  held_ += size;
}

void ZlibStream::Compress(std::uint64_t end, bool last) {
  const CodeTables& tables = Tables();
  const std::uint8_t* in = window_.data();  // the byte at position p is in[p - base_]
  const std::uint64_t stop = last ? end : (end > kLongestMatch ? end - kLongestMatch : 0);
  std::uint64_t at = next_;
  if (stop <= at) return;
  writer_->Reserve(static_cast<std::size_t>(end - at) * 9 / 8 + 8);
  for (; at < stop && at + kMinimumMatch <= end;) {
    const std::uint8_t* here = in + (at - base_);
    const std::uint32_t next = Load32(here);
    const std::uint32_t hash = HashOf(next);
    const std::uint64_t candidate = latest_[hash];
    latest_[hash] = at + 1;
    std::uint64_t distance = 0;
    if (lastDistance_ != 0 && lastDistance_ <= at - base_ && Load32(here - lastDistance_) == next) {
      distance = lastDistance_;
    } else if (candidate != 0 && at - (candidate - 1) <= kFarthestMatch &&
               Load32(in + (candidate - 1 - base_)) == next) {
      distance = at - (candidate - 1);
    }
    if (distance == 0) {
      writer_->Write(tables.literals[*here]);
      ++at;
      continue;
    }
    const std::size_t limit =
        static_cast<std::size_t>(std::min<std::uint64_t>(kLongestMatch, end - at));
    const std::size_t length =
        kMinimumMatch +
        CommonLength(here + kMinimumMatch, here + kMinimumMatch - distance, limit - kMinimumMatch);
    writer_->Write(tables.lengths[length]);
    writer_->Write(tables.Distance(static_cast<std::size_t>(distance)));
    lastDistance_ = distance;
    at += length;
  }
  if (last) {
    for (; at < end; ++at) writer_->Write(tables.literals[in[at - base_]]);
  }
  next_ = at;
}

std::string ZlibStream::Finish() {
  Compress(base_ + held_, true);
  writer_->Reserve(8);
  writer_->Write(Tables().endOfBlock);
  std::string stream = writer_->Finish();
  for (int shift = 24; shift >= 0; shift -= 8) stream.push_back(static_cast<char>(adler_ >> shift));
  return stream;
}

}  // namespace mirella::render
