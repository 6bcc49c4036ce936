#include "app/layer/hot_spots.h"

#include <algorithm>
#include <cmath>

namespace mirella::app {
namespace {

constexpr double kMarginCssPixels = 2.0;

render::Rect Grown(const render::Rect& rect, int margin, const render::DesktopLayout& layout) {
  return {std::max(0, rect.left - margin), std::max(0, rect.top - margin),
          std::min(layout.width, rect.right + margin),
          std::min(layout.height, rect.bottom + margin)};
}

}  // namespace

render::Rect BoundingBox(std::span<const render::Rect> shapes) {
  render::Rect box;
  bool any = false;
  for (const render::Rect& shape : shapes) {
    if (shape.Empty()) continue;
    if (!any) {
      box = shape;
      any = true;
      continue;
    }
    box = {std::min(box.left, shape.left), std::min(box.top, shape.top),
           std::max(box.right, shape.right), std::max(box.bottom, shape.bottom)};
  }
  return box;
}

std::vector<render::Rect> Subtract(std::span<const render::Rect> shapes,
                                   std::span<const render::Rect> holes) {
  std::vector<render::Rect> left;
  for (const render::Rect& shape : shapes) {
    if (!shape.Empty()) left.push_back(shape);
  }
  for (const render::Rect& hole : holes) {
    if (hole.Empty()) continue;
    std::vector<render::Rect> next;
    for (const render::Rect& piece : left) {
      const render::Rect cut{std::max(piece.left, hole.left), std::max(piece.top, hole.top),
                             std::min(piece.right, hole.right),
                             std::min(piece.bottom, hole.bottom)};
      if (cut.Empty()) {
        next.push_back(piece);
        continue;
      }
      // What is left of the piece: the bands above and below the hole, and beside it.
      const render::Rect parts[] = {
          {piece.left, piece.top, piece.right, cut.top},
          {piece.left, cut.bottom, piece.right, piece.bottom},
          {piece.left, cut.top, cut.left, cut.bottom},
          {cut.right, cut.top, piece.right, cut.bottom},
      };
      for (const render::Rect& part : parts) {
        if (!part.Empty()) next.push_back(part);
      }
    }
    left = std::move(next);
  }
  return left;
}

HotSpots LayerHotSpots(const render::DesktopLayout& layout, std::span<const render::Rect> icons) {
  const int margin = static_cast<int>(std::lround(kMarginCssPixels * layout.scale));
  std::vector<render::Rect> links;
  // An empty caption keeps its place with no width: it shows nothing to click.
  const auto add = [&](const render::Rect& link) {
    if (!link.Empty()) links.push_back(Grown(link, margin, layout));
  };
  add(layout.emblem);
  for (const render::EntryRow& row : layout.rows) {
    add(row.pictureBounds);
    for (const render::TextLine& line : row.caption.lines) add(line.bounds);
  }
  HotSpots spots;
  spots.bounds = BoundingBox(links);
  spots.shapes = Subtract(links, icons);
  return spots;
}

}  // namespace mirella::app
