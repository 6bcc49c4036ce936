#pragma once
// The first picture of a GIF file decoded into premultiplied BGRA pixels (pixels of the
// transparent colour are all zero), rows top-down, as the renderer takes pictures. Portable and
// without COM, so that drawing the desktop does not start a picture decoder per file.

#include <cstddef>
#include <optional>
#include <span>

#include "render/pixel_image.h"

namespace mirella::render {

// The first image of the file at its own size, or nullopt when the bytes are no GIF or are cut
// short.
std::optional<PixelImage> DecodeGif(std::span<const std::byte> file);

}  // namespace mirella::render
