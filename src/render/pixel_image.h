#pragma once
// Pictures as the renderer takes them: 32-bit premultiplied BGRA pixels, rows top-down, as the
// picture decoders give them. Portable, so the scaling is tested natively.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mirella::render {

// A view of pixels someone else owns.
struct PixelView {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  bool Empty() const { return pixels == nullptr || width <= 0 || height <= 0; }
};

struct PixelImage {
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
  PixelView View() const { return {pixels.data(), width, height}; }
};

// The picture resampled smoothly (bilinearly, on premultiplied values, so transparent pixels do
// not darken the edges) to `width` x `height`; an exact copy at its own size.
PixelImage ScalePixels(PixelView source, int width, int height);
// The same into pixels someone else owns: `width` x `height` at `target`, rows `stride` pixels
// apart.
void ScalePixelsInto(PixelView source, int width, int height, std::uint32_t* target,
                     std::size_t stride);

// The picture over an opaque colour (0x00RRGGBB): what a picture on a coloured cell shows.
PixelImage OverColour(PixelView source, std::uint32_t rgb);

}  // namespace mirella::render
