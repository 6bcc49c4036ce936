#include "app/layer/layer_links.h"

#include <algorithm>

#include "content/maker_site.h"

namespace mirella::app {
namespace {

render::Rect Union(const render::Rect& a, const render::Rect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

}  // namespace

std::vector<LayerLink> LayerLinks(const render::DesktopLayout& layout) {
  std::vector<LayerLink> links;
  if (!layout.emblem.Empty()) {
    links.push_back({std::string(kMakerSite), layout.emblem, {LayerClick::Target::kEmblem, 0}});
  }
  for (const render::EntryRow& row : layout.rows) {
    LayerLink link;
    for (const render::TextLine& line : row.caption.lines) {
      if (line.text.empty()) continue;
      if (!link.name.empty()) link.name += ' ';
      link.name += line.text;
      link.bounds = Union(link.bounds, line.bounds);
    }
    link.bounds = Union(link.bounds, row.pictureBounds);
    if (link.bounds.Empty()) continue;
    link.click = row.entry == render::kSettingsRow
                     ? LayerClick{LayerClick::Target::kSettings, 0}
                     : LayerClick{LayerClick::Target::kEntry, row.entry};
    links.push_back(std::move(link));
  }
  return links;
}

}  // namespace mirella::app
