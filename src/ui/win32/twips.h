#pragma once
// Twips to pixels: 1440 twips per inch at the window's DPI (15 twips per pixel at 96 dpi).

#include <windows.h>

#include "ui/control.h"
#include "win32/dpi.h"

namespace mirella::ui::win32 {

inline constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }
inline int PixelsToTwips(int pixels, int dpi) { return MulDiv(pixels, kTwipsPerInch, dpi); }

// The control's rectangle in pixels, relative to `container`, one of its ancestors.
RECT PixelRectIn(const Control& control, const Control& container, int dpi);

}  // namespace mirella::ui::win32
