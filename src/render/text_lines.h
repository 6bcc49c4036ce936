#pragma once
// Text as the page sets it: HTML reduced to what it shows, and broken into lines of a width.

#include <string>
#include <string_view>
#include <vector>

#include "render/text_measurer.h"

namespace mirella::render {

// What the page shows of a text that it writes as HTML: tags dropped, runs of white space
// (line breaks and tabs among them) read as one space, no space at either end.
std::string VisibleText(std::string_view html);

struct WrappedText {
  std::vector<std::string> lines;
  bool cut = false;  // text remained after maxLines lines; the last line ends with an ellipsis
};

// The lines of `text`, each at most `maxWidth` wide, as a browser breaks them: after spaces
// and hyphens, with the spaces at a break dropped. A word longer than a line is broken between
// characters, where the page would let it overflow into its neighbour. At most `maxLines`
// lines; when text remains, the last line is filled as far as it goes and ends with "…".
WrappedText WrapText(std::string_view text, TextStyle style, double maxWidth, int maxLines,
                     const TextMeasurer& measurer);

}  // namespace mirella::render
