#pragma once
// How the desktop's layout learns the widths of its texts. The page sets every text in Arial
// bold at three sizes; the layout fixes the sizes and line heights, a measurer gives the widths
// (GDI in the program, a fixed advance per character in the tests).

#include <cstddef>
#include <string_view>

namespace mirella::render {

enum class TextStyle {
  Title,        // the desktop title: font size 6, 32 CSS pixels
  Text,         // column titles, captions, the bottom bar: the body's 12 pt, 16 CSS pixels
  Description,  // entry descriptions: font size 2, 13 CSS pixels, normal weight
};

// The CSS pixel size of a style; at a display scale the font is this many times the scale.
double CssFontSize(TextStyle style);

// Arial's vertical metrics as fractions of the font size (Liberation Sans has the same ones):
// ascent, descent and line gap of the font's tables. A line of normal line height is their sum.
inline constexpr double kAscent = 1854.0 / 2048.0;
inline constexpr double kDescent = 434.0 / 2048.0;
inline constexpr double kLineGap = 67.0 / 2048.0;

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // The advance width in pixels of UTF-8 text set in a style at the measurer's scale.
  virtual double Width(std::string_view text, TextStyle style) const = 0;
  // The number of bytes of the longest start of `text` whose width is at most `maxWidth`; it
  // ends on a character boundary.
  virtual std::size_t Fit(std::string_view text, TextStyle style, double maxWidth) const = 0;
};

}  // namespace mirella::render
