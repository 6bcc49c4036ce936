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

#include <cstdint>
#include <span>
#include <string>

namespace mirella::render {

std::string ZlibCompress(std::span<const std::uint8_t> data);

// RFC 1950's checksum of `data`, continued from `adler` (1 for a start).
std::uint32_t Adler32(std::span<const std::uint8_t> data, std::uint32_t adler = 1);

}  // namespace mirella::render
