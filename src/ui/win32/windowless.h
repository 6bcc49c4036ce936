#pragma once
// The controls that have no window of their own (labels, images, shapes, the progress control):
// their container paints them and finds which of them the mouse is over.

#include <windows.h>

#include "ui/control.h"
#include "ui/control_kinds.h"
#include "ui/win32/render_resources.h"

namespace mirella::ui::win32 {

// Paints the container's client area of `size` pixels: its back colour and picture, the group box
// of a bordered frame, then its visible windowless children from the bottom of the stack up;
// `focused`, one of those children or null, gets the focus cue: a dotted rectangle around its
// text, or around the picture of an image.
void PaintContainer(HDC dc, Control& container, SIZE size, int dpi, RenderResources& resources,
                    const Control* focused = nullptr);

// The topmost visible, enabled windowless child of `container` under `point` (pixels in the
// container's client area), or null. Shapes are decoration and take no mouse input.
Control* HitWindowless(Control& container, POINT point, int dpi);

}  // namespace mirella::ui::win32
