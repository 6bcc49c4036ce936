#pragma once
// A drawn picture as the bytes of a PNG file: 24-bit colour, no interlacing, each row unfiltered
// and the whole through the program's own deflate (render/deflate_stream.h). A desktop page is
// mostly its background tile repeated and compresses to a small share of its BMP; the program's
// own encoder takes about as long as writing that BMP, where the system's took several times it,
// and it needs nothing from the system, so that no Windows lacks it.

#include <string>

#include "render/pixel_canvas.h"

namespace mirella::render {

std::string EncodePng(const BgrPixels& pixels);

}  // namespace mirella::render
