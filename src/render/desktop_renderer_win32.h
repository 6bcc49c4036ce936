#pragma once
// Draws a desktop layout into any device context with GDI: the page's background, bars and
// pictures, and its texts in Arial (bold but for the descriptions) at the layout's scale, underlined as the page's styles
// underline them. The same renderer serves the wallpaper, drawn whole, and the live desktop
// layer, which draws any part of the page when it is shown and keeps no picture of it.

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "content/desktop_content.h"
#include "render/desktop_layout.h"
#include "render/pixel_canvas.h"
#include "render/pixel_image.h"
#include "win32/handles.h"

namespace mirella::render {

// Gives the decoded pictures the page shows, one at a time: a view needs to stay valid only
// until the next call, so that no more than one decoded picture is held at once. An empty view
// is simply not drawn.
class PictureSource {
 public:
  enum class Theme {
    kBackground,  // pal.gif, tiled over the page
    kEmblem,
    kColumnBar,  // pal_column.gif, tiled over the navy column bar
    kBottomBar,  // pal_bottom.gif, tiled over the navy bottom bar
  };
  virtual ~PictureSource() = default;
  virtual PixelView ThemePicture(Theme which) = 0;
  virtual PixelView Icon(int picture) = 0;  // icons/<picture>.gif
};

// Measures texts through GDI with the font at its design size, where advances are not rounded
// to whole pixels, and scales them to the size drawn: the widths of the browser, which does not
// round them either. The renderer places every character at these advances.
class GdiTextMeasurer : public TextMeasurer {
 public:
  GdiTextMeasurer(double scale);
  double Width(std::string_view text, TextStyle style) const override;
  std::size_t Fit(std::string_view text, TextStyle style, double maxWidth) const override;
  // Where each UTF-16 unit of `text` ends, in pixels at the scale, from the text's start.
  std::vector<double> Ends(std::wstring_view text, TextStyle style) const;

 private:
  double Factor(TextStyle style) const;
  double scale_;
  std::array<UniqueFont, 3> designFonts_;  // by style
  MemoryDc dc_;
};

class DesktopRenderer;

// A desktop made ready to be drawn part by part: its pictures scaled and packed once, its texts
// listed. It draws with the renderer and the layout it was made from, which must outlive it.
class DesktopPainting {
 public:
  ~DesktopPainting();
  DesktopPainting(const DesktopPainting&) = delete;
  DesktopPainting& operator=(const DesktopPainting&) = delete;

  // Draws the page's pixels from its point `origin` onward into the whole target (only those
  // within the page: the rest of the target is left as it is), with `highlight`, one of the
  // layout's texts, drawn once more over the rest in another colour (a link under the pointer).
  // The pixels are the same whichever part is drawn. False when GDI has no room.
  bool Draw(const BgrPixels& target, POINT origin, const TextBlock* highlight = nullptr,
            COLORREF highlightColour = 0) const;
  // The page's background, repeated from the page's corner, over the target's pixels beyond the
  // page (the screen around the work area the page is laid out for); drawn before the page.
  void DrawSurroundings(const BgrPixels& target, POINT origin) const;

 private:
  friend class DesktopRenderer;
  struct Parts;
  DesktopPainting(const DesktopRenderer& renderer, const DesktopLayout& layout,
                  std::unique_ptr<Parts> parts);

  const DesktopRenderer& renderer_;
  const DesktopLayout& layout_;
  std::unique_ptr<Parts> parts_;
};

class DesktopRenderer {
 public:
  // Fonts at `scale` display pixels per CSS pixel (the DPI over 96).
  explicit DesktopRenderer(double scale);
  DesktopRenderer(const DesktopRenderer&) = delete;
  DesktopRenderer& operator=(const DesktopRenderer&) = delete;

  double Scale() const { return scale_; }
  const TextMeasurer& Measurer() const { return measurer_; }
  DesktopLayout LayOut(const DesktopContent& content, int width, int height) const;
  // Draws the layout (made by LayOut at this scale and the target's size) over the whole target.
  // False when GDI has no room for drawing the texts and pictures.
  bool Draw(const BgrPixels& target, const DesktopLayout& layout, PictureSource& pictures) const;
  // The layout with its pictures made ready to be drawn part by part; the pictures are copied,
  // the renderer and the layout must outlive the result. Null when GDI has no room.
  std::unique_ptr<DesktopPainting> Prepare(const DesktopLayout& layout,
                                           PictureSource& pictures) const;

  // Where drawing one of the layout's texts may touch the picture.
  Rect TextBounds(const TextBlock& block) const { return TextArea(block); }

 private:
  friend class DesktopPainting;
  HFONT Font(TextStyle style) const { return fonts_[static_cast<std::size_t>(style)].Get(); }
  // Draws the block with the page's point `origin` at the DC's (0, 0).
  void DrawText(HDC dc, POINT origin, const TextBlock& block, COLORREF colour,
                COLORREF underline) const;
  // Where drawing a block's lines may touch, underlines and overhanging glyphs included.
  Rect TextArea(const TextBlock& block) const;

  double scale_;
  std::array<UniqueFont, 3> fonts_;
  GdiTextMeasurer measurer_;
};

}  // namespace mirella::render
