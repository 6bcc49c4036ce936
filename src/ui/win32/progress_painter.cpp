#include "ui/win32/progress_painter.h"

#include <algorithm>
#include <cmath>

#include "ui/win32/twips.h"
#include "win32/handles.h"
#include "win32/wide_text.h"

namespace mirella {

namespace {
constexpr COLORREF kBackground = RGB(173, 211, 254);
constexpr COLORREF kFill = RGB(255, 255, 192);
const ui::Font kTitleFont{"MS Sans Serif", 8.25, true, false};
}  // namespace

void DrawMirellaProgress(HDC dc, const RECT& bounds, const MirellaProgress& progress, int dpi,
                         ui::win32::FontCache& fonts) {
  using ui::win32::TwipsToPixels;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);

  UniqueBrush background(CreateSolidBrush(kBackground));
  FillRect(dc, &bounds, background.Get());

  // The value can be far wider than the control; the clip keeps the fill inside it.
  const float fillTwips = std::min(progress.FillWidth(), 32767.0f);
  const int fillWidth = TwipsToPixels(static_cast<int>(std::lround(fillTwips)), dpi);
  const RECT fill{bounds.left, bounds.top, bounds.left + fillWidth,
                  bounds.top + TwipsToPixels(progress.Height(), dpi)};
  UniqueBrush fillBrush(CreateSolidBrush(kFill));
  FillRect(dc, &fill, fillBrush.Get());

  const RECT outline{bounds.left, bounds.top, bounds.left + TwipsToPixels(progress.Width(), dpi),
                     bounds.top + TwipsToPixels(progress.Height(), dpi)};
  FrameRect(dc, &outline, GetSysColorBrush(COLOR_WINDOWTEXT));

  const int titleTop = bounds.top + TwipsToPixels(progress.TitleTop(), dpi);
  RECT title{bounds.left, titleTop, bounds.left + TwipsToPixels(progress.Width(), dpi),
             titleTop + TwipsToPixels(progress.TitleHeight(), dpi)};
  SelectedObject font(dc, fonts.Get(kTitleFont, dpi));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  const std::wstring caption = Widen(progress.Caption());
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &title,
            DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  RestoreDC(dc, saved);
}

}  // namespace mirella
