#include "ui/win32/twips.h"

namespace mirella::ui::win32 {

RECT PixelRectIn(const Control& control, const Control& container, int dpi) {
  int left = 0;
  int top = 0;
  for (const Control* c = &control; c != nullptr && c != &container; c = c->parent) {
    left += c->bounds.left;
    top += c->bounds.top;
  }
  const int x = TwipsToPixels(left, dpi);
  const int y = TwipsToPixels(top, dpi);
  return RECT{x, y, x + TwipsToPixels(control.bounds.width, dpi),
              y + TwipsToPixels(control.bounds.height, dpi)};
}

}  // namespace mirella::ui::win32
