#pragma once
// Where every item of the desktop stands when the theme page is shown at a size: the same
// table layout as the browser's (body margin 2, cell spacing 2, cell padding 5, the title row
// beside the 345 x 144 emblem, the 30-pixel column bar, two columns of rows each at least 16 %
// of the column high, the 35-pixel bottom bar), in CSS pixels times the display's scale.
// Where the page would grow past the picture, texts are cut with an ellipsis instead.
//
// The layout keeps the rectangle of every item, so that a point finds its item (HitTest).

#include <array>
#include <string>
#include <vector>

#include "content/desktop_content.h"
#include "render/text_measurer.h"

namespace mirella::render {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool Empty() const { return right <= left || bottom <= top; }
};

struct TextLine {
  std::string text;  // UTF-8, as drawn
  int left = 0;      // where the line starts
  int baseline = 0;  // the baseline the text stands on
  Rect bounds;       // the line's box: its width, the font's ascent and descent
};

struct TextBlock {
  TextStyle style = TextStyle::Text;
  std::vector<TextLine> lines;
  Rect bounds;  // the union of the lines; an empty text keeps its place with no width
};

// The settings row ends column 1: it is no entry of the content.
inline constexpr int kSettingsRow = -1;
inline constexpr int kSettingsPicture = 6;

struct EntryRow {
  int entry = 0;       // 0..10, or kSettingsRow
  int picture = 0;     // the picture number, icons/<n>.gif
  Rect row;            // the whole row
  Rect pictureBounds;  // the 48 x 48 picture at the scale
  TextBlock caption;   // underlined link text
  TextBlock description;
};

struct DesktopLayout {
  int width = 0;
  int height = 0;
  double scale = 1.0;  // display pixels per CSS pixel
  TextBlock title;
  Rect emblem;
  Rect columnBar;
  std::array<TextBlock, 2> columnTitles;
  std::vector<EntryRow> rows;  // column 1's five entries and the settings row, then column 2
  Rect bottomBar;
  TextBlock barText;
};

// The font size of a style, in pixels at a scale.
double FontPixels(TextStyle style, double scale);

// `width` x `height` display pixels at `scale` (the DPI over 96). The measurer measures at the
// same scale.
DesktopLayout LayOutDesktop(const DesktopContent& content, int width, int height, double scale,
                            const TextMeasurer& measurer);

enum class HitKind { Nothing, Emblem, Picture, Caption, Row };

struct Hit {
  HitKind kind = HitKind::Nothing;
  int entry = 0;  // for Picture, Caption and Row: the entry, or kSettingsRow
};

// What a click at a display pixel reaches: an entry's picture or caption (the link), the rest
// of its row, or the emblem (a link too).
Hit HitTest(const DesktopLayout& layout, int x, int y);

}  // namespace mirella::render
