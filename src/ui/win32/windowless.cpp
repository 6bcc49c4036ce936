#include "ui/win32/windowless.h"

#include <string>

#include "ui/win32/progress_painter.h"
#include "ui/win32/twips.h"
#include "win32/wide_text.h"

namespace mirella::ui::win32 {

namespace {

UINT AlignmentFormat(Alignment alignment) {
  switch (alignment) {
    case Alignment::kRight:
      return DT_RIGHT;
    case Alignment::kCentre:
      return DT_CENTER;
    case Alignment::kLeft:
      break;
  }
  return DT_LEFT;
}

constexpr UINT kLabelFormat = DT_TOP | DT_WORDBREAK | DT_NOPREFIX;

void PaintLabel(HDC dc, const Control& label, RECT rect, int dpi, RenderResources& resources) {
  if (!label.transparent) FillRect(dc, &rect, resources.Brush(label.backColour));
  if (label.border) {
    DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  }
  if (label.text.empty()) return;
  SelectedObject font(dc, resources.Fonts().Get(label.font, dpi));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, label.enabled ? label.foreColour : GetSysColor(COLOR_GRAYTEXT));
  const std::wstring text = Widen(label.text);
  // Labels wrap at word boundaries within their width, like a classic label without AutoSize.
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            AlignmentFormat(label.alignment) | kLabelFormat);
}

// Around the label's text as it is laid out, a pixel out; a label without text is all cue.
void PaintFocusCue(HDC dc, const Control& control, RECT rect, int dpi,
                   RenderResources& resources) {
  const int margin = MulDiv(1, dpi, USER_DEFAULT_SCREEN_DPI);
  RECT cue = rect;
  if (control.kind == ControlKind::kLabel && !control.text.empty()) {
    if (control.border) InflateRect(&rect, -2 * margin, -2 * margin);
    SelectedObject font(dc, resources.Fonts().Get(control.font, dpi));
    const std::wstring text = Widen(control.text);
    RECT measured = rect;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
              AlignmentFormat(control.alignment) | kLabelFormat | DT_CALCRECT);
    const int width = measured.right - measured.left;
    int left = rect.left;
    if (control.alignment == Alignment::kCentre) {
      left = rect.left + (rect.right - rect.left - width) / 2;
    }
    if (control.alignment == Alignment::kRight) left = rect.right - width;
    cue = RECT{left - margin, measured.top, left + width + margin, measured.bottom + margin};
    IntersectRect(&cue, &cue, &rect);
  } else if (control.kind == ControlKind::kLabel) {
    InflateRect(&cue, -2 * margin, -2 * margin);
  }
  SetTextColor(dc, kBlack);
  SetBkColor(dc, kWhite);
  DrawFocusRect(dc, &cue);
}

void PaintImage(HDC dc, const Control& image, const RECT& rect, int dpi,
                RenderResources& resources) {
  if (image.picture.empty()) return;  // a hover area
  if (const Picture* picture = resources.Pictures().Get(image.picture)) {
    DrawPicture(dc, *picture, rect, dpi);
  }
  if (image.border) FrameRect(dc, &rect, resources.Brush(image.foreColour));
}

void PaintShape(HDC dc, const Control& shape, const RECT& rect, RenderResources& resources) {
  if (shape.filled) FillRect(dc, &rect, resources.Brush(shape.backColour));
  if (shape.border) FrameRect(dc, &rect, resources.Brush(shape.foreColour));
}

// A bordered frame looks like a group box: an etched line with the caption set into its top edge.
void PaintGroupBox(HDC dc, const Control& frame, SIZE size, int dpi, RenderResources& resources) {
  SelectedObject font(dc, resources.Fonts().Get(frame.font, dpi));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT box{0, frame.text.empty() ? 0 : metrics.tmHeight / 2, size.cx, size.cy};
  DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
  if (frame.text.empty()) return;
  const std::wstring text = Widen(frame.text);
  RECT caption{MulDiv(8, dpi, USER_DEFAULT_SCREEN_DPI), 0, size.cx, metrics.tmHeight};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption,
            DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  InflateRect(&caption, MulDiv(2, dpi, USER_DEFAULT_SCREEN_DPI), 0);
  FillRect(dc, &caption, resources.Brush(frame.backColour));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, frame.enabled ? frame.foreColour : GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption,
            DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void PaintContainer(HDC dc, Control& container, SIZE size, int dpi, RenderResources& resources,
                    const Control* focused) {
  const RECT client{0, 0, size.cx, size.cy};
  FillRect(dc, &client, resources.Brush(container.backColour));
  if (!container.picture.empty()) {
    if (const Picture* picture = resources.Pictures().Get(container.picture)) {
      DrawPicture(dc, *picture, client, dpi);
    }
  }
  if (container.kind == ControlKind::kFrame && container.border) {
    PaintGroupBox(dc, container, size, dpi, resources);
  }
  // children[0] is on top, so paint from the end.
  for (auto child = container.children.rbegin(); child != container.children.rend(); ++child) {
    Control& control = **child;
    if (!control.visible || IsWindowed(control.kind)) continue;
    const RECT rect = PixelRectIn(control, container, dpi);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    switch (control.kind) {
      case ControlKind::kLabel:
        PaintLabel(dc, control, rect, dpi, resources);
        break;
      case ControlKind::kImage:
        PaintImage(dc, control, rect, dpi, resources);
        break;
      case ControlKind::kShape:
        PaintShape(dc, control, rect, resources);
        break;
      case ControlKind::kProgress:
        if (control.progress) {
          DrawMirellaProgress(dc, rect, *control.progress, dpi, resources.Fonts());
        }
        break;
      default:
        break;
    }
    if (&control == focused) PaintFocusCue(dc, control, rect, dpi, resources);
    RestoreDC(dc, saved);
  }
}

Control* HitWindowless(Control& container, POINT point, int dpi) {
  for (auto& child : container.children) {
    Control& control = *child;
    if (!control.visible || !control.enabled || IsWindowed(control.kind)) continue;
    if (control.kind != ControlKind::kLabel && control.kind != ControlKind::kImage &&
        control.kind != ControlKind::kProgress) {
      continue;
    }
    const RECT rect = PixelRectIn(control, container, dpi);
    if (PtInRect(&rect, point)) return &control;
  }
  return nullptr;
}

}  // namespace mirella::ui::win32
