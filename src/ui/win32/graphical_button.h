#pragma once
// The look of a graphical push button: its back colour, a raised or pressed edge, the caption.

#include <windows.h>

#include "ui/control.h"
#include "ui/win32/render_resources.h"

namespace mirella::ui::win32 {

void PaintGraphicalButton(const DRAWITEMSTRUCT& item, const Control& button, int dpi,
                          RenderResources& resources);

}  // namespace mirella::ui::win32
