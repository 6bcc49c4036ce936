#include "render/pixel_image.h"

#include <algorithm>
#include <cmath>

namespace mirella::render {
namespace {

struct Tap {
  int first;
  int second;
  int weight;  // of `second`, in 1/256
};

// For each target index, the two source indices around its centre and the blend between them.
std::vector<Tap> Taps(int from, int to) {
  std::vector<Tap> taps(static_cast<std::size_t>(to));
  const double ratio = static_cast<double>(from) / to;
  for (int i = 0; i < to; ++i) {
    const double centre = std::clamp((i + 0.5) * ratio - 0.5, 0.0, from - 1.0);
    const int first = static_cast<int>(centre);
    const int second = std::min(first + 1, from - 1);
    taps[static_cast<std::size_t>(i)] = {first, second,
                                         static_cast<int>(std::lround((centre - first) * 256))};
  }
  return taps;
}

// Each channel (ca * (256 - weight) + cb * weight + 128) >> 8, two channels at a time: a
// channel's sum stays below 65536, so it never reaches its neighbour's 16 bits.
std::uint32_t Blend(std::uint32_t a, std::uint32_t b, int weight) {
  constexpr std::uint32_t kEven = 0x00FF00FF;
  const auto mix = [&](std::uint32_t x, std::uint32_t y) {
    return ((x * static_cast<std::uint32_t>(256 - weight) + y * static_cast<std::uint32_t>(weight) +
             0x00800080) >> 8) & kEven;
  };
  return mix(a & kEven, b & kEven) | (mix((a >> 8) & kEven, (b >> 8) & kEven) << 8);
}

}  // namespace

PixelImage ScalePixels(PixelView source, int width, int height) {
  PixelImage out;
  if (source.Empty() || width <= 0 || height <= 0) return out;
  out.width = width;
  out.height = height;
  out.pixels.resize(static_cast<std::size_t>(width) * height);
  ScalePixelsInto(source, width, height, out.pixels.data(), static_cast<std::size_t>(width));
  return out;
}

void ScalePixelsInto(PixelView source, int width, int height, std::uint32_t* target,
                     std::size_t stride) {
  if (source.Empty() || width <= 0 || height <= 0) return;
  if (width == source.width && height == source.height) {
    for (int y = 0; y < height; ++y) {
      std::copy_n(source.pixels + static_cast<std::size_t>(y) * width, width,
                  target + static_cast<std::size_t>(y) * stride);
    }
    return;
  }
  const std::vector<Tap> columns = Taps(source.width, width);
  const std::vector<Tap> rows = Taps(source.height, height);
  std::vector<std::uint32_t> upper(static_cast<std::size_t>(width));
  std::vector<std::uint32_t> lower(static_cast<std::size_t>(width));
  const auto resampleRow = [&](int y, std::vector<std::uint32_t>& row) {
    const std::uint32_t* line = source.pixels + static_cast<std::size_t>(y) * source.width;
    for (int x = 0; x < width; ++x) {
      const Tap& tap = columns[static_cast<std::size_t>(x)];
      row[static_cast<std::size_t>(x)] = Blend(line[tap.first], line[tap.second], tap.weight);
    }
  };
  for (int y = 0; y < height; ++y) {
    const Tap& tap = rows[static_cast<std::size_t>(y)];
    resampleRow(tap.first, upper);
    resampleRow(tap.second, lower);
    std::uint32_t* line = target + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      line[x] = Blend(upper[static_cast<std::size_t>(x)], lower[static_cast<std::size_t>(x)],
                      tap.weight);
    }
  }
}

PixelImage OverColour(PixelView source, std::uint32_t rgb) {
  PixelImage out;
  if (source.Empty()) return out;
  out.width = source.width;
  out.height = source.height;
  out.pixels.resize(static_cast<std::size_t>(source.width) * source.height);
  for (std::size_t i = 0; i < out.pixels.size(); ++i) {
    const std::uint32_t pixel = source.pixels[i];
    const std::uint32_t uncovered = 255 - (pixel >> 24);
    std::uint32_t result = 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
      const std::uint32_t value =
          ((pixel >> shift) & 0xFF) + (((rgb >> shift) & 0xFF) * uncovered + 127) / 255;
      result |= std::min<std::uint32_t>(value, 255) << shift;
    }
    out.pixels[i] = result;
  }
  return out;
}

}  // namespace mirella::render
