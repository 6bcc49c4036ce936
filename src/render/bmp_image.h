#pragma once
// Uncompressed 24-bit BMP files read into opaque BGRA pixels, rows top-down, as pictures are
// kept. Portable and without COM: the splash, the first window the program paints, is such a
// file, so that its first paint does not wait for the system's picture decoder to start.
// The pixels go straight into storage the caller makes once the size is known (a DIB section).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace mirella::render {

struct BmpFormat {
  int width = 0;
  int height = 0;
  std::size_t pixelsAt = 0;  // offset of the first stored row in the file
  std::size_t stride = 0;    // bytes per stored row, padded to whole 32-bit words
  bool bottomUp = true;      // rows stored from the bottom, as BMP files usually are
};

// The file's format, or nullopt for anything else: another kind of file, another depth,
// compressed pixels, a size out of reason, or a file cut short. Those are left to the system's
// decoders.
std::optional<BmpFormat> ReadBmpFormat(std::span<const std::byte> file);

// Writes the format's width * height pixels into `target`, rows top-down. `format` must come
// from ReadBmpFormat of the same bytes.
void ReadBmpPixels(std::span<const std::byte> file, const BmpFormat& format,
                   std::uint32_t* target);

}  // namespace mirella::render
