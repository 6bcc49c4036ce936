#pragma once
// Bytes as a zlib stream (RFC 1950 around RFC 1951's deflate), made for the drawn desktop's
// pixels and for speed: the layer draws and saves the wallpaper again on every display change,
// and the system's encoders spend several times the writing of the pixels themselves on it.
//
// One block with the fixed Huffman codes, and greedy LZ77 that tries the last match's distance
// before a hash of the next four bytes: a page is mostly a background tile repeated across each
// row, which that finds at once, while its text and pictures still find their matches. No
// dynamic codes and no lazy matching: they would save a few per cent of an already small file at
// the cost of its speed.
//
// The bytes come in pieces (a picture's rows) and only the last 32 KB that matches reach back to
// are kept, so a large picture never needs a second copy of all its bytes.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace mirella::render {

class ZlibStream {
 public:
  ZlibStream();
  ~ZlibStream();
  ZlibStream(const ZlibStream&) = delete;
  ZlibStream& operator=(const ZlibStream&) = delete;

  // Room for the next `size` bytes, valid until the next call: write them there, then Add(size).
  std::uint8_t* Room(std::size_t size);
  void Add(std::size_t size);
  // The stream of everything added; nothing may be added after it.
  std::string Finish();

 private:
  class Writer;
  // Compresses up to `end` (a position in the bytes added), or, when not `last`, as far before it
  // as lets every match reach its longest.
  void Compress(std::uint64_t end, bool last);

  std::vector<std::uint8_t> window_;  // bytes from position base_ on; its size is its capacity
  std::size_t held_ = 0;              // of which this many have been added
  std::uint64_t base_ = 0;
  std::uint64_t next_ = 0;  // the position compressed next
  std::uint64_t lastDistance_ = 0;
  std::vector<std::uint64_t> latest_;  // each hash's latest position, plus one: zero is none
  std::unique_ptr<Writer> writer_;
  std::uint32_t adler_ = 1;
};

// RFC 1950's checksum of `data`, continued from `adler` (1 for a start).
std::uint32_t Adler32(std::span<const std::uint8_t> data, std::uint32_t adler = 1);

}  // namespace mirella::render
