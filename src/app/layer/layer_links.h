#pragma once
// The layer's links as a screen reader sees them: one for each thing a click opens (the emblem,
// each entry and the settings row), named by its caption, where the page shows it.

#include <string>
#include <vector>

#include "app/layer/layer_pointer.h"
#include "render/desktop_layout.h"

namespace mirella::app {

struct LayerLink {
  std::string name;     // the caption's lines, one space between them; the site for the emblem
  render::Rect bounds;  // the picture and the caption, in the layout's pixels
  LayerClick click;     // what it opens
};

std::vector<LayerLink> LayerLinks(const render::DesktopLayout& layout);

}  // namespace mirella::app
