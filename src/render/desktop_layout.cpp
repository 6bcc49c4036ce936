#include "render/desktop_layout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "render/text_lines.h"

namespace mirella::render {
namespace {

// The page's fixed measures, in CSS pixels.
constexpr double kEdge = 4;          // body margin 2 and cell spacing 2
constexpr double kSpacing = 2;       // the tables' cell spacing
constexpr double kPadding = 5;       // the outer table's and the rows' cell padding
constexpr double kInnerPadding = 1;  // the inner tables' default cell padding
constexpr double kEmblemWidth = 345;
constexpr double kEmblemHeight = 144;
constexpr double kEmblemCell = 350;  // the emblem's cell: the picture, its padding, the space after it
constexpr double kTitleRow = 156;    // the emblem's cell and the row's padding
constexpr double kColumnBar = 30;
constexpr double kBottomBar = 35;
constexpr double kPictureCell = 64;
constexpr double kPicture = 48;
constexpr double kRowShare = 0.16;  // each row's table is 16 % of the column high
constexpr int kTitleLines = 3;      // as many as the emblem's height holds
constexpr int kBarLines = 2;
// The browser kerns, and its lines come out a little narrower (up to about 0.7 %) than the sum
// of the advances that the GDI measurer gives. A line may be 0.3 % wider than its cell, so that
// the page's near-full lines stay whole; the cell's padding holds that.
constexpr double kKerningAllowance = 1.003;

constexpr const char* kSettingsCaption = "Настроить Mirella";
constexpr const char* kSettingsDescription =
    "Вы можете изменить настройки Рабочего стола с помощью Mirella.";

struct Metrics {
  double ascent;
  double content;  // ascent and descent: the height of an inline box
  double line;     // normal line height
};

// Font metrics are rounded part by part, as the browser rounds them.
Metrics MetricsOf(TextStyle style) {
  const double size = CssFontSize(style);
  const double ascent = std::round(size * kAscent);
  const double descent = std::round(size * kDescent);
  return {ascent, ascent + descent, ascent + descent + std::round(size * kLineGap)};
}

enum class Align { Left, Centre };

class Builder {
 public:
  Builder(double scale, const TextMeasurer& measurer) : scale_(scale), measurer_(measurer) {}

  int Px(double css) const { return static_cast<int>(std::lround(css * scale_)); }
  Rect Box(double x, double y, double w, double h) const {
    return {Px(x), Px(y), Px(x + w), Px(y + h)};
  }

  WrappedText Wrap(std::string_view text, TextStyle style, double width, int maxLines) const {
    return WrapText(text, style, std::max(0.0, width) * scale_ * kKerningAllowance,
                    std::max(0, maxLines), measurer_);
  }

  // Lines stacked from `top`, each starting at `x` or centred on it.
  TextBlock Block(const std::vector<std::string>& lines, TextStyle style, double x, double top,
                  Align align) const {
    const Metrics metrics = MetricsOf(style);
    TextBlock block;
    block.style = style;
    block.bounds = {Px(x), Px(top), Px(x), Px(top)};
    bool first = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const double width = lines[i].empty() ? 0.0 : measurer_.Width(lines[i], style);
      const double lineTop = top + static_cast<double>(i) * metrics.line;
      const double textTop = lineTop + std::floor((metrics.line - metrics.content) / 2);
      TextLine line;
      line.text = lines[i];
      line.left = align == Align::Left ? Px(x) : Px(x - width / scale_ / 2);
      line.baseline = Px(textTop + metrics.ascent);
      line.bounds = {line.left, Px(textTop), line.left + static_cast<int>(std::lround(width)),
                     Px(textTop + metrics.content)};
      if (first) {
        block.bounds = line.bounds;
        first = false;
      } else {
        block.bounds.left = std::min(block.bounds.left, line.bounds.left);
        block.bounds.right = std::max(block.bounds.right, line.bounds.right);
        block.bounds.bottom = line.bounds.bottom;
      }
      block.lines.push_back(std::move(line));
    }
    return block;
  }

 private:
  double scale_;
  const TextMeasurer& measurer_;
};

double LinesHeight(std::size_t count, TextStyle style) {
  return static_cast<double>(count) * MetricsOf(style).line;
}

struct RowTexts {
  int entry;
  int picture;
  std::string caption;
  std::string description;
  std::vector<std::string> captionLines;
  std::vector<std::string> descriptionLines;
};

// The text lines of a row whose content is at most `height` high; an empty caption still takes
// its line, as the page's link does.
void WrapRow(const Builder& builder, RowTexts& row, double width, double height) {
  const Metrics caption = MetricsOf(TextStyle::Text);
  const Metrics description = MetricsOf(TextStyle::Description);
  const int captionRoom = static_cast<int>(std::floor(height / caption.line));
  row.captionLines = builder.Wrap(row.caption, TextStyle::Text, width, captionRoom).lines;
  if (row.captionLines.empty() && captionRoom > 0) row.captionLines.emplace_back();
  const double left = height - LinesHeight(row.captionLines.size(), TextStyle::Text);
  const int descriptionRoom = static_cast<int>(std::floor(left / description.line));
  row.descriptionLines =
      builder.Wrap(row.description, TextStyle::Description, width, descriptionRoom).lines;
}

double RowContentHeight(const RowTexts& row) {
  return std::max(kPicture, LinesHeight(row.captionLines.size(), TextStyle::Text) +
                                LinesHeight(row.descriptionLines.size(), TextStyle::Description));
}

// The highest row height h for which the rows, none taller than h, fill `room`: rows taller
// than the column holds share what the others leave.
double CapFor(std::vector<double> heights, double room) {
  std::sort(heights.begin(), heights.end());
  double used = 0;
  for (std::size_t i = 0; i < heights.size(); ++i) {
    const double remaining = static_cast<double>(heights.size() - i);
    const double cap = (room - used) / remaining;
    if (cap <= heights[i]) return std::max(0.0, cap);
    used += heights[i];
  }
  return heights.empty() ? room : heights.back();
}

void LayOutColumn(const Builder& builder, std::vector<RowTexts> rows, double left, double width,
                  double top, double height, std::vector<EntryRow>& out) {
  const double room = std::max(0.0, height - 2 * kPadding);
  const double frame = 2 * kSpacing + 2 * kPadding;  // around a row's content
  const double textWidth = width - 2 * kPadding - 3 * kSpacing - kPictureCell - 4 * kPadding;
  const double slot = kRowShare * room;
  std::vector<double> heights;
  for (RowTexts& row : rows) {
    WrapRow(builder, row, textWidth, room - frame);
    heights.push_back(std::max(slot, RowContentHeight(row) + frame));
  }
  const double total = std::accumulate(heights.begin(), heights.end(), 0.0);
  if (total > room) {
    const double cap = CapFor(heights, room);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (heights[i] <= cap) continue;
      heights[i] = cap;
      WrapRow(builder, rows[i], textWidth, cap - frame);
    }
  }
  double y = top + kPadding;
  const double tableLeft = left + kPadding;
  const double textLeft = tableLeft + 2 * kSpacing + kPictureCell + 3 * kPadding;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const RowTexts& texts = rows[i];
    const double contentTop = y + kSpacing + kPadding;
    const double contentHeight = heights[i] - frame;
    EntryRow row;
    row.entry = texts.entry;
    row.picture = texts.picture;
    row.row = builder.Box(tableLeft, y, width - 2 * kPadding, heights[i]);
    const int pictureLeft =
        builder.Px(tableLeft + kSpacing + kPadding + (kPictureCell - kPicture) / 2);
    const int pictureTop = builder.Px(contentTop + (contentHeight - kPicture) / 2);
    const int pictureSize = builder.Px(kPicture);
    row.pictureBounds = {pictureLeft, pictureTop, pictureLeft + pictureSize,
                         pictureTop + pictureSize};
    const double captionHeight = LinesHeight(texts.captionLines.size(), TextStyle::Text);
    const double textHeight =
        captionHeight + LinesHeight(texts.descriptionLines.size(), TextStyle::Description);
    const double textTop = contentTop + (contentHeight - textHeight) / 2;
    row.caption = builder.Block(texts.captionLines, TextStyle::Text, textLeft, textTop, Align::Left);
    row.description = builder.Block(texts.descriptionLines, TextStyle::Description, textLeft,
                                    textTop + captionHeight, Align::Left);
    out.push_back(std::move(row));
    y += heights[i];
  }
}

// The page in CSS pixels.
struct PageSize {
  double width;
  double height;
  double Full() const { return width - 2 * kEdge; }  // between the page's edges
};

// The title row: the title centred in what the emblem's cell leaves, the emblem at the right.
void LayOutTitleRow(const Builder& builder, const DesktopContent& content, const PageSize& page,
                    DesktopLayout& layout) {
  const double titleLeft = kEdge + kPadding + kInnerPadding;
  const double titleRight = page.width - kEdge - kPadding - kEmblemCell - kInnerPadding;
  const double titleMiddle = kEdge + kPadding + kInnerPadding + kEmblemHeight / 2;
  const auto title = builder.Wrap(VisibleText(content.title), TextStyle::Title,
                                  titleRight - titleLeft, kTitleLines);
  layout.title = builder.Block(title.lines, TextStyle::Title, (titleLeft + titleRight) / 2,
                               titleMiddle - LinesHeight(title.lines.size(), TextStyle::Title) / 2,
                               Align::Centre);
  const double emblemRight = page.width - kEdge - kPadding - kInnerPadding;
  layout.emblem = builder.Box(emblemRight - kEmblemWidth, kEdge + kPadding + kInnerPadding,
                              kEmblemWidth, kEmblemHeight);
}

// The column bar: two titles, each centred in half the bar; a title that wraps makes the bar
// higher, as the page does. Returns where the bar ends.
double LayOutColumnBar(const Builder& builder, const DesktopContent& content, const PageSize& page,
                       DesktopLayout& layout) {
  const double full = page.Full();
  const double barTop = kEdge + kTitleRow + kSpacing;
  const double half = (full - 2 * kPadding) / 2;
  const std::array<std::string, 2> columnTitles = {VisibleText(content.col_1_title),
                                                   VisibleText(content.col_2_title)};
  std::array<std::vector<std::string>, 2> titleLines;
  std::size_t mostLines = 0;
  for (int c = 0; c < 2; ++c) {
    titleLines[c] =
        builder.Wrap(columnTitles[c], TextStyle::Text, half - 2 * kInnerPadding, kBarLines).lines;
    mostLines = std::max(mostLines, titleLines[c].size());
  }
  const double innerBar = LinesHeight(mostLines, TextStyle::Text) + 2 * kInnerPadding;
  const double barHeight = std::max(kColumnBar, innerBar + 2 * kPadding);
  layout.columnBar = builder.Box(kEdge, barTop, full, barHeight);
  const double innerTop = barTop + kPadding + (barHeight - 2 * kPadding - innerBar) / 2;
  for (int c = 0; c < 2; ++c) {
    const double top = innerTop + kInnerPadding +
                       (innerBar - 2 * kInnerPadding -
                        LinesHeight(titleLines[c].size(), TextStyle::Text)) / 2;
    layout.columnTitles[c] = builder.Block(titleLines[c], TextStyle::Text,
                                           kEdge + kPadding + half * (c + 0.5), top, Align::Centre);
  }
  return barTop + barHeight;
}

// The bottom bar, from the bottom edge up. Returns where it starts.
double LayOutBottomBar(const Builder& builder, const DesktopContent& content, const PageSize& page,
                       DesktopLayout& layout) {
  const double full = page.Full();
  const auto bar = builder.Wrap(VisibleText(content.desktop), TextStyle::Text, full - 2 * kPadding,
                                kBarLines);
  const double barLinesHeight = LinesHeight(bar.lines.size(), TextStyle::Text);
  const double bottomHeight = std::max(kBottomBar, barLinesHeight + 2 * kPadding);
  const double bottomTop = page.height - kEdge - bottomHeight;
  layout.bottomBar = builder.Box(kEdge, bottomTop, full, bottomHeight);
  layout.barText = builder.Block(bar.lines, TextStyle::Text, page.width / 2,
                                 bottomTop + (bottomHeight - barLinesHeight) / 2, Align::Centre);
  return bottomTop;
}

// The two columns share what is left between the bars; the settings row ends the first.
void LayOutColumns(const Builder& builder, const DesktopContent& content, const PageSize& page,
                   double barBottom, double bottomTop, DesktopLayout& layout) {
  const double columnsTop = barBottom + kSpacing;
  const double columnsHeight = std::max(0.0, bottomTop - kSpacing - columnsTop);
  const double columnWidth = (page.Full() - kSpacing) / 2;
  std::array<std::vector<RowTexts>, 2> columns;
  for (int i = 0; i < kEntryCount; ++i) {
    columns[i < kColumn1EntryCount ? 0 : 1].push_back(
        {i, content.EntryPicture[i], VisibleText(content.EntryCaption[i]),
         VisibleText(content.EntryDescription[i]), {}, {}});
  }
  columns[0].push_back(
      {kSettingsRow, kSettingsPicture, kSettingsCaption, kSettingsDescription, {}, {}});
  for (int c = 0; c < 2; ++c) {
    LayOutColumn(builder, std::move(columns[c]), kEdge + c * (columnWidth + kSpacing), columnWidth,
                 columnsTop, columnsHeight, layout.rows);
  }
}

}  // namespace

double CssFontSize(TextStyle style) {
  switch (style) {
    case TextStyle::Title:
      return 32;
    case TextStyle::Description:
      return 13;
    case TextStyle::Text:
      break;
  }
  return 16;
}

double FontPixels(TextStyle style, double scale) { return CssFontSize(style) * scale; }

DesktopLayout LayOutDesktop(const DesktopContent& content, int width, int height, double scale,
                            const TextMeasurer& measurer) {
  if (!(scale > 0)) scale = 1.0;
  const Builder builder(scale, measurer);
  DesktopLayout layout;
  layout.width = width;
  layout.height = height;
  layout.scale = scale;
  const PageSize page{width / scale, height / scale};
  LayOutTitleRow(builder, content, page, layout);
  const double barBottom = LayOutColumnBar(builder, content, page, layout);
  const double bottomTop = LayOutBottomBar(builder, content, page, layout);
  LayOutColumns(builder, content, page, barBottom, bottomTop, layout);
  return layout;
}

Hit HitTest(const DesktopLayout& layout, int x, int y) {
  if (layout.emblem.Contains(x, y)) return {HitKind::Emblem, 0};
  for (const EntryRow& row : layout.rows) {
    if (!row.row.Contains(x, y)) continue;
    if (row.pictureBounds.Contains(x, y)) return {HitKind::Picture, row.entry};
    for (const TextLine& line : row.caption.lines) {
      if (line.bounds.Contains(x, y)) return {HitKind::Caption, row.entry};
    }
    return {HitKind::Row, row.entry};
  }
  return {};
}

}  // namespace mirella::render
