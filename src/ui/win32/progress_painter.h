#pragma once
// Drawing of the mirella_progress control.

#include <windows.h>

#include "controls/mirella_progress.h"
#include "ui/win32/fonts.h"

namespace mirella {

// Draws the control into `bounds` (pixels) at the given DPI: background, the fill from the left
// edge clipped to the control, the one-pixel outline and the centred bold caption.
void DrawMirellaProgress(HDC dc, const RECT& bounds, const MirellaProgress& progress, int dpi,
                         ui::win32::FontCache& fonts);

}  // namespace mirella
