#pragma once
// The pixels the desktop layer owns: what a click on the page opens (the emblem, each entry's
// picture and caption lines, the settings row's too), each grown by a small margin, less the
// user's own desktop icons, which stay on top. Everything else belongs to the shell's desktop, so
// the layer's window covers only the box of these shapes and is clipped to them.

#include <span>
#include <vector>

#include "render/desktop_layout.h"

namespace mirella::app {

struct HotSpots {
  render::Rect bounds;               // the box of every link shape: the layer's window
  std::vector<render::Rect> shapes;  // the window's region, in the layout's pixels as well
};

// The link shapes of `layout`, each grown by 2 CSS pixels and kept within the page, less
// `icons` (in the layout's pixels). The bounds do not depend on the icons, so that moving an
// icon changes the region only.
HotSpots LayerHotSpots(const render::DesktopLayout& layout, std::span<const render::Rect> icons);

// The smallest rectangle holding every shape that is not empty; empty when there is none.
render::Rect BoundingBox(std::span<const render::Rect> shapes);

// The area of `shapes` outside every one of `holes`, as rectangles.
std::vector<render::Rect> Subtract(std::span<const render::Rect> shapes,
                                   std::span<const render::Rect> holes);

}  // namespace mirella::app
