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

// Bits to be written first-in-lowest, as deflate packs them: a Huffman code bit-reversed, with
// any extra bits after it.
struct Code {
  std::uint32_t bits = 0;
  std::uint32_t count = 0;
};

constexpr std::uint32_t Reversed(std::uint32_t code, std::uint32_t count) {
  std::uint32_t reversed = 0;
  for (std::uint32_t bit = 0; bit < count; ++bit) reversed |= ((code >> bit) & 1u) << (count - 1 - bit);
  return reversed;
}

// The fixed literal/length code of symbol 0..287.
constexpr Code FixedLiteralCode(std::uint32_t symbol) {
  if (symbol < 144) return {Reversed(0x30 + symbol, 8), 8};
  if (symbol < 256) return {Reversed(0x190 + symbol - 144, 9), 9};
  if (symbol < 280) return {Reversed(symbol - 256, 7), 7};
  return {Reversed(0xC0 + symbol - 280, 8), 8};
}

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11, 13,
                                                       15, 17, 19, 23, 27, 31, 35, 43, 51, 59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,
                                                         4, 4, 5, 5, 6, 6, 7, 7,  8,  8,
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

// Writes bits first-in-lowest into storage sized for the worst case beforehand, four bytes at
// a time; fewer than 32 bits wait in between, so one call may add up to 32.
class BitWriter {
 public:
  explicit BitWriter(std::uint8_t* out) : start_(out), out_(out) {}

  void Write(Code code) {
    pending_ |= static_cast<std::uint64_t>(code.bits) << count_;
    count_ += code.count;
    if (count_ >= 32) {
      const std::uint32_t word = static_cast<std::uint32_t>(pending_);
      const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8),
                                     static_cast<std::uint8_t>(word >> 16),
                                     static_cast<std::uint8_t>(word >> 24)};
      std::memcpy(out_, bytes, 4);
      out_ += 4;
      pending_ >>= 32;
      count_ -= 32;
    }
  }

  // Writes what waits, padded with zero bits to a whole byte; the bytes written so far.
  std::size_t Finish() {
    while (count_ > 0) {
      *out_++ = static_cast<std::uint8_t>(pending_);
      pending_ >>= 8;
      count_ = count_ > 8 ? count_ - 8 : 0;
    }
    return static_cast<std::size_t>(out_ - start_);
  }

 private:
  std::uint8_t* start_;
  std::uint8_t* out_;
  std::uint64_t pending_ = 0;
  std::uint32_t count_ = 0;
};

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

void Compress(std::span<const std::uint8_t> data, BitWriter& writer) {
  const CodeTables& tables = Tables();
  const std::uint8_t* in = data.data();
  const std::size_t size = data.size();
  // Each hash's latest position, plus one: zero is none.
  std::vector<std::size_t> latest(std::size_t{1} << kHashBits, 0);
  std::size_t lastDistance = 0;
  std::size_t at = 0;
  while (at + kMinimumMatch <= size) {
    const std::uint32_t next = Load32(in + at);
    const std::uint32_t hash = HashOf(next);
    const std::size_t candidate = latest[hash];
    latest[hash] = at + 1;
    std::size_t distance = 0;
    if (lastDistance != 0 && lastDistance <= at && Load32(in + at - lastDistance) == next) {
      distance = lastDistance;
    } else if (candidate != 0 && at - (candidate - 1) <= kFarthestMatch &&
               Load32(in + candidate - 1) == next) {
      distance = at - (candidate - 1);
    }
    if (distance == 0) {
      writer.Write(tables.literals[in[at]]);
      ++at;
      continue;
    }
    const std::size_t limit = std::min(kLongestMatch, size - at);
    const std::size_t length =
        kMinimumMatch + CommonLength(in + at + kMinimumMatch, in + at + kMinimumMatch - distance,
                                     limit - kMinimumMatch);
    writer.Write(tables.lengths[length]);
    writer.Write(tables.Distance(distance));
    lastDistance = distance;
    at += length;
  }
  for (; at < size; ++at) writer.Write(tables.literals[in[at]]);
  writer.Write(tables.endOfBlock);
}

}  // namespace

std::uint32_t Adler32(std::span<const std::uint8_t> data, std::uint32_t adler) {
  constexpr std::uint32_t kModulus = 65521;
  constexpr std::size_t kMostBeforeOverflow = 5552;  // the longest run the sums take in 32 bits
  std::uint32_t low = adler & 0xFFFF;
  std::uint32_t high = adler >> 16;
  const std::uint8_t* at = data.data();
  std::size_t left = data.size();
  while (left > 0) {
    std::size_t run = std::min(left, kMostBeforeOverflow);
    left -= run;
    for (; run >= 8; run -= 8, at += 8) {
      low += at[0]; high += low;
      low += at[1]; high += low;
      low += at[2]; high += low;
      low += at[3]; high += low;
      low += at[4]; high += low;
      low += at[5]; high += low;
      low += at[6]; high += low;
      low += at[7]; high += low;
    }
    for (; run > 0; --run, ++at) {
      low += *at;
      high += low;
    }
    low %= kModulus;
    high %= kModulus;
  }
  return (high << 16) | low;
}

std::string ZlibCompress(std::span<const std::uint8_t> data) {
  // At most nine bits a byte (a literal of 144 and above), the end of the block and padding.
  const std::size_t worst = data.size() + data.size() / 8 + 16;
  std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[worst + 4]);
  BitWriter writer(out.get());
  writer.Write({0x0178, 16});  // CMF 0x78 (deflate, a 32 KB window) and FLG 0x01: 0x7801 % 31 == 0
  writer.Write({0b011, 3});   // the final block, with the fixed codes
  Compress(data, writer);
  const std::size_t written = writer.Finish();
  std::string stream(reinterpret_cast<const char*>(out.get()), written);
  const std::uint32_t adler = Adler32(data);
  for (int shift = 24; shift >= 0; shift -= 8) stream.push_back(static_cast<char>(adler >> shift));
  return stream;
}

}  // namespace mirella::render
