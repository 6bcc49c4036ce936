#include "render/desktop_renderer_win32.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mirella::render {
namespace {

// The page's colours (COLORREF is 0x00BBGGRR).
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kNavy = RGB(0, 0, 128);  // #000080: links and the bars under their pictures

// UTF-16 for the W functions, with the byte offset in the UTF-8 text of every UTF-16 unit (and
// one past the end), so that a count of units that fit maps back to a count of bytes.
struct Utf16 {
  std::wstring text;
  std::vector<std::size_t> offsets;
};

Utf16 ToUtf16(std::string_view text) {
  Utf16 out;
  out.text.reserve(text.size());
  out.offsets.reserve(text.size() + 1);
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    bool valid = length != 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (!valid || code > 0x10FFFF) {
      code = 0xFFFD;
      length = 1;
    }
    if (code >= 0x10000) {
      out.text += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
      out.offsets.push_back(i);
      out.text += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
      out.offsets.push_back(i);
    } else {
      out.text += static_cast<wchar_t>(code);
      out.offsets.push_back(i);
    }
    i += length;
  }
  out.offsets.push_back(text.size());
  return out;
}

// The page's tables set their texts in normal weight (a table takes no font weight from the body
// in the page's quirks mode); the <b> around the titles, captions and bar text makes them bold.
int Weight(TextStyle style) { return style == TextStyle::Description ? FW_NORMAL : FW_BOLD; }

// `pixels` at 0: each style's own size at the scale.
std::array<UniqueFont, 3> MakeFonts(double scale, int pixels = 0) {
  std::array<UniqueFont, 3> fonts;
  for (TextStyle style : {TextStyle::Title, TextStyle::Text, TextStyle::Description}) {
    const int height =
        pixels > 0 ? pixels : std::max(1, static_cast<int>(std::lround(FontPixels(style, scale))));
    // Grey anti-aliasing: a saved picture knows nothing of the panel's sub-pixel order.
    fonts[static_cast<std::size_t>(style)].Reset(
        CreateFontW(-height, 0, 0, 0, Weight(style), FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                    DEFAULT_PITCH | FF_SWISS, L"Arial"));
  }
  return fonts;
}

// The pictures drawn with their transparency, packed in rows in one DIB section that GDI blends
// from: one section and one DC however many pictures are shown.
class PictureSheet {
 public:
  // The number on the sheet of a place for a picture scaled to `width` x `height`, which Put
  // fills once the sheet is built.
  int Add(int width, int height) { return layout_.Add(width, height); }
  // Makes the DIB section for the places added; false when GDI has no room for it.
  bool Build() {
    layout_.Pack();
    if (layout_.Width() <= 0 || layout_.Height() <= 0) return true;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = layout_.Width();
    info.bmiHeader.biHeight = -layout_.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || bits == nullptr || dc_.Get() == nullptr) return false;
    bits_ = static_cast<std::uint32_t*>(bits);
    selected_.emplace(dc_.Get(), bitmap_.Get());
    return true;
  }
  // The picture scaled into its place; an empty picture leaves the place drawing nothing.
  void Put(int picture, PixelView view) { layout_.Put(picture, view, bits_); }
  // Where Blend draws: the picture's own size at `area`'s top-left, within `clip`.
  Rect Area(int picture, const Rect& area, const Rect& clip) const {
    if (!selected_) return {};
    return layout_.Area(picture, area, clip);
  }
  // Draws a picture with its transparency at `area`'s top-left, its own size, clipped to `clip`.
  // `origin` is the page's point at the DC's (0, 0).
  void Blend(HDC dc, POINT origin, int picture, const Rect& area, const Rect& clip) const {
    const Rect shown = Area(picture, area, clip);
    if (shown.Empty()) return;
    const PagePoint place = layout_.Origin(picture);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, shown.left - origin.x, shown.top - origin.y, shown.Width(), shown.Height(),
               dc_.Get(), place.x + shown.left - area.left, place.y + shown.top - area.top,
               shown.Width(), shown.Height(), blend);
  }

 private:
  PictureSheetLayout layout_;
  UniqueBitmap bitmap_;
  std::uint32_t* bits_ = nullptr;
  MemoryDc dc_{nullptr};
  std::optional<SelectedObject> selected_;
};

// A small 24-bit DIB section that GDI draws into: an area of the picture is copied in, drawn
// over at the picture's own coordinates, and copied back. GDI thus draws what it would draw on
// the whole picture, without a DIB section the picture's size besides the picture itself.
class GdiPatch {
 public:
  GdiPatch(int width, int height) : width_(width), height_(height), dc_(nullptr) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row r at r * stride
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || bits == nullptr || dc_.Get() == nullptr) {
      bitmap_.Reset();
      return;
    }
    bits_ = static_cast<std::uint8_t*>(bits);
    stride_ = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    selected_.emplace(dc_.Get(), bitmap_.Get());
  }
  explicit operator bool() const { return bits_ != nullptr; }
  HDC Dc() const { return dc_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Lets `draw(dc, origin, shown)` draw on `area` of the canvas (clipped to the canvas and to
  // the patch's size: `shown`), the page's point `origin` at the DC's (0, 0).
  template <typename Draw>
  void Over(const Canvas& canvas, const Rect& area, Draw&& draw) const {
    Rect shown = Intersection(area, canvas.Bounds());
    shown.right = std::min(shown.right, shown.left + width_);
    shown.bottom = std::min(shown.bottom, shown.top + height_);
    if (bits_ == nullptr || shown.Empty()) return;
    CopyOut(canvas, shown, bits_, stride_);
    draw(dc_.Get(), POINT{shown.left, shown.top}, shown);
    GdiFlush();
    CopyIn(canvas, shown, bits_, stride_);
  }

 private:
  int width_;
  int height_;
  UniqueBitmap bitmap_;
  MemoryDc dc_;
  std::optional<SelectedObject> selected_;
  std::uint8_t* bits_ = nullptr;
  std::size_t stride_ = 0;
};

void Fill(HDC dc, const Rect& area, COLORREF colour) {
  const RECT rect{area.left, area.top, area.right, area.bottom};
  UniqueBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.Get());
}

}  // namespace

// Liberation Sans and Arial are designed on 2048 units to the em.
constexpr int kDesignPixels = 2048;

GdiTextMeasurer::GdiTextMeasurer(double scale)
    : scale_(scale),
      designFonts_(MakeFonts(scale, kDesignPixels)),
      dc_(nullptr) {}

double GdiTextMeasurer::Factor(TextStyle style) const {
  return FontPixels(style, scale_) / kDesignPixels;
}

std::vector<double> GdiTextMeasurer::Ends(std::wstring_view text, TextStyle style) const {
  std::vector<double> ends(text.size(), 0.0);
  if (text.empty()) return ends;
  std::vector<INT> extents(text.size(), 0);
  SelectedObject font(dc_.Get(), designFonts_[static_cast<std::size_t>(style)].Get());
  INT fit = 0;
  SIZE size{};
  if (!GetTextExtentExPointW(dc_.Get(), text.data(), static_cast<int>(text.size()), INT_MAX, &fit,
                             extents.data(), &size)) {
    return ends;
  }
  const double factor = Factor(style);
  for (std::size_t i = 0; i < text.size(); ++i) ends[i] = extents[i] * factor;
  return ends;
}

double GdiTextMeasurer::Width(std::string_view text, TextStyle style) const {
  const Utf16 wide = ToUtf16(text);
  SelectedObject font(dc_.Get(), designFonts_[static_cast<std::size_t>(style)].Get());
  SIZE size{};
  if (wide.text.empty() || !GetTextExtentPoint32W(dc_.Get(), wide.text.data(),
                                                  static_cast<int>(wide.text.size()), &size)) {
    return 0;
  }
  return size.cx * Factor(style);
}

std::size_t GdiTextMeasurer::Fit(std::string_view text, TextStyle style, double maxWidth) const {
  const Utf16 wide = ToUtf16(text);
  if (wide.text.empty()) return 0;
  SelectedObject font(dc_.Get(), designFonts_[static_cast<std::size_t>(style)].Get());
  INT fit = 0;
  SIZE size{};
  const double limit = std::min(std::max(0.0, maxWidth) / Factor(style), 1e9);
  if (!GetTextExtentExPointW(dc_.Get(), wide.text.data(), static_cast<int>(wide.text.size()),
                             static_cast<int>(std::floor(limit)), &fit, nullptr, &size)) {
    return 0;
  }
  std::size_t units = static_cast<std::size_t>(std::clamp<INT>(fit, 0, static_cast<INT>(wide.text.size())));
  // Never between the halves of a surrogate pair.
  if (units > 0 && units < wide.text.size() && wide.text[units] >= 0xDC00 &&
      wide.text[units] <= 0xDFFF) {
    --units;
  }
  return wide.offsets[units];
}

DesktopRenderer::DesktopRenderer(double scale)
    : scale_(scale > 0 ? scale : 1.0), fonts_(MakeFonts(scale_)), measurer_(scale_) {}

DesktopLayout DesktopRenderer::LayOut(const DesktopContent& content, int width, int height) const {
  return LayOutDesktop(content, width, height, scale_, measurer_);
}

void DesktopRenderer::DrawText(HDC dc, POINT origin, const TextBlock& block, COLORREF colour,
                               COLORREF underline) const {
  if (block.lines.empty()) return;
  SelectedObject font(dc, Font(block.style));
  OUTLINETEXTMETRICW metrics{};
  metrics.otmSize = sizeof metrics;
  int underlineOffset = std::max(1, static_cast<int>(std::lround(2 * scale_)));
  int underlineSize = std::max(1, static_cast<int>(std::lround(scale_)));
  if (GetOutlineTextMetricsW(dc, sizeof metrics, &metrics) != 0) {
    underlineOffset = std::max(1, -metrics.otmsUnderscorePosition);
    underlineSize = std::max(1, static_cast<int>(metrics.otmsUnderscoreSize));
  }
  SetTextColor(dc, colour);
  for (const TextLine& line : block.lines) {
    if (line.text.empty()) continue;
    // Each character at the measured advance, so the line is as wide as the layout made it.
    const Utf16 wide = ToUtf16(line.text);
    const std::vector<double> ends = measurer_.Ends(wide.text, block.style);
    std::vector<INT> advances(wide.text.size(), 0);
    long previous = 0;
    for (std::size_t i = 0; i < ends.size(); ++i) {
      const long end = std::lround(ends[i]);
      advances[i] = static_cast<INT>(end - previous);
      previous = end;
    }
    ExtTextOutW(dc, line.left - origin.x, line.baseline - origin.y, 0, nullptr, wide.text.data(),
                static_cast<UINT>(wide.text.size()), advances.data());
    // The underline: the body underlines every text in its own colour, and a link in the link's.
    const int top = line.baseline + underlineOffset - underlineSize / 2;
    Fill(dc, {line.bounds.left - origin.x, top - origin.y, line.bounds.right - origin.x,
              top + underlineSize - origin.y},
         underline);
  }
}

Rect DesktopRenderer::TextArea(const TextBlock& block) const {
  // Glyphs may reach past the line's box (accents, overhangs), never by a whole em.
  const int margin = static_cast<int>(std::ceil(FontPixels(block.style, scale_))) + 2;
  Rect area;
  for (const TextLine& line : block.lines) {
    const Rect box{line.left - margin, line.bounds.top - margin,
                   std::max(line.bounds.right, line.left) + margin, line.bounds.bottom + margin};
    area = area.Empty() ? box
                        : Rect{std::min(area.left, box.left), std::min(area.top, box.top),
                               std::max(area.right, box.right), std::max(area.bottom, box.bottom)};
  }
  return area;
}

// What drawing any part of the page takes, made once: the tiles scaled and over their colours,
// the pictures scaled and packed, the texts with their colours.
struct DesktopPainting::Parts {
  PageTiles tiles;
  PictureSheet sheet;
  int emblem = -1;
  std::vector<std::pair<int, const EntryRow*>> icons;  // each shown picture and its row
  struct Text {
    const TextBlock* block;
    COLORREF colour;
    COLORREF underline;
  };
  std::vector<Text> texts;
  // Kept from one Draw to the next, as large as the largest it was asked for: a layer paints
  // band after band.
  std::unique_ptr<GdiPatch> patch;

  // `visit(shown, picture, place)` for the emblem and each entry's picture: where it is drawn
  // (`shown`, empty when it is not), its number on the sheet, and the place it is drawn at.
  template <typename Visit>
  void ForEachPicture(const DesktopLayout& layout, Visit&& visit) const {
    const Rect page{0, 0, layout.width, layout.height};
    visit(sheet.Area(emblem, layout.emblem, page), emblem, layout.emblem);
    for (const auto& [icon, row] : icons) {
      visit(sheet.Area(icon, row->pictureBounds, row->row), icon, row->pictureBounds);
    }
  }

  // The kept patch, made larger when it is smaller than `width` x `height`; null when GDI has no
  // room for it.
  const GdiPatch* Patch(int width, int height) {
    if (patch == nullptr || patch->Width() < width || patch->Height() < height) {
      if (patch != nullptr) {
        width = std::max(width, patch->Width());
        height = std::max(height, patch->Height());
      }
      patch.reset();  // the old section goes before the larger one is made
      patch = std::make_unique<GdiPatch>(width, height);
    }
    if (!*patch) {
      patch.reset();
      return nullptr;
    }
    return patch.get();
  }
};

DesktopPainting::DesktopPainting(const DesktopRenderer& renderer, const DesktopLayout& layout,
                                 std::unique_ptr<Parts> parts)
    : renderer_(renderer), layout_(layout), parts_(std::move(parts)) {}

DesktopPainting::~DesktopPainting() = default;

std::unique_ptr<DesktopPainting> DesktopRenderer::Prepare(const DesktopLayout& layout,
                                                          PictureSource& pictures) const {
  using Theme = PictureSource::Theme;
  auto parts = std::make_unique<DesktopPainting::Parts>();
  // The page's canvas is white; the background picture is repeated over it from the corner.
  // Each view is used before the next is asked for: a view lasts until the next call.
  parts->tiles.background = OpaqueTile(pictures.ThemePicture(Theme::kBackground), scale_,
                                       kWhitePixel, layout.height);
  parts->tiles.columnBar = OpaqueTile(pictures.ThemePicture(Theme::kColumnBar), scale_,
                                      kNavyPixel, layout.columnBar.Height());
  parts->tiles.bottomBar = OpaqueTile(pictures.ThemePicture(Theme::kBottomBar), scale_,
                                      kNavyPixel, layout.bottomBar.Height());
  // The sheet is made for the sizes shown and then filled one picture at a time; each picture
  // is scaled once, however many rows show it.
  parts->emblem = parts->sheet.Add(layout.emblem.Width(), layout.emblem.Height());
  std::array<int, kPictureCount> icons;
  icons.fill(-1);
  for (const EntryRow& row : layout.rows) {
    if (row.picture < 0 || row.picture >= kPictureCount) continue;
    int& icon = icons[static_cast<std::size_t>(row.picture)];
    if (icon < 0) icon = parts->sheet.Add(row.pictureBounds.Width(), row.pictureBounds.Height());
    parts->icons.emplace_back(icon, &row);
  }
  if (!parts->sheet.Build()) return nullptr;
  parts->sheet.Put(parts->emblem, pictures.ThemePicture(Theme::kEmblem));
  for (int picture = 0; picture < kPictureCount; ++picture) {
    const int icon = icons[static_cast<std::size_t>(picture)];
    if (icon >= 0) parts->sheet.Put(icon, pictures.Icon(picture));
  }
  parts->texts.push_back({&layout.title, kBlack, kBlack});
  for (const TextBlock& title : layout.columnTitles) {
    parts->texts.push_back({&title, kWhite, kBlack});
  }
  for (const EntryRow& row : layout.rows) {
    parts->texts.push_back({&row.caption, kNavy, kNavy});
    parts->texts.push_back({&row.description, kBlack, kBlack});
  }
  parts->texts.push_back({&layout.barText, kWhite, kBlack});
  return std::unique_ptr<DesktopPainting>(new DesktopPainting(*this, layout, std::move(parts)));
}

bool DesktopPainting::Draw(const BgrPixels& target, POINT origin, const TextBlock* highlight,
                           COLORREF highlightColour) const {
  Parts& parts = *parts_;
  const Canvas canvas{target, PagePoint{origin.x, origin.y},
                      Rect{0, 0, layout_.width, layout_.height}};
  PaintBackdrop(canvas, parts.tiles, layout_);

  // What GDI draws (the pictures' transparency, the texts) goes through a patch as large as the
  // largest of those areas within the canvas.
  const Rect bounds = canvas.Bounds();
  int patchWidth = 0;
  int patchHeight = 0;
  const auto grow = [&](const Rect& area) {
    const Rect shown = Intersection(area, bounds);
    patchWidth = std::max(patchWidth, shown.Width());
    patchHeight = std::max(patchHeight, shown.Height());
  };
  parts.ForEachPicture(layout_, [&](const Rect& shown, int, const Rect&) { grow(shown); });
  for (const Parts::Text& text : parts.texts) grow(renderer_.TextBounds(*text.block));
  if (patchWidth <= 0 || patchHeight <= 0) return true;
  const GdiPatch* patch = parts.Patch(patchWidth, patchHeight);
  if (patch == nullptr) return false;

  parts.ForEachPicture(layout_, [&](const Rect& area, int picture, const Rect& place) {
    patch->Over(canvas, area, [&](HDC dc, POINT at, const Rect& shown) {
      parts.sheet.Blend(dc, at, picture, place, shown);
    });
  });
  SetBkMode(patch->Dc(), TRANSPARENT);
  SetTextAlign(patch->Dc(), TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
  const auto drawText = [&](const TextBlock& block, COLORREF colour, COLORREF underline) {
    patch->Over(canvas, renderer_.TextBounds(block), [&](HDC dc, POINT at, const Rect&) {
      renderer_.DrawText(dc, at, block, colour, underline);
    });
  };
  for (const Parts::Text& text : parts.texts) drawText(*text.block, text.colour, text.underline);
  if (highlight != nullptr) drawText(*highlight, highlightColour, highlightColour);
  return true;
}

void DesktopPainting::DrawSurroundings(const BgrPixels& target, POINT origin) const {
  PaintSurroundings(target, PagePoint{origin.x, origin.y}, parts_->tiles.background, layout_);
}

bool DesktopRenderer::Draw(const BgrPixels& target, const DesktopLayout& layout,
                           PictureSource& pictures) const {
  const std::unique_ptr<DesktopPainting> painting = Prepare(layout, pictures);
  return painting != nullptr && painting->Draw(target, POINT{0, 0});
}

}  // namespace mirella::render
