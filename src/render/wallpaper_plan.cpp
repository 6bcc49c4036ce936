#include "render/wallpaper_plan.h"

#include <algorithm>

namespace mirella::render {
namespace {

int FloorMod(int value, int modulus) {
  const int rest = value % modulus;
  return rest < 0 ? rest + modulus : rest;
}

Rect Relative(const Rect& rect, const Rect& to) {
  return {rect.left - to.left, rect.top - to.top, rect.right - to.left, rect.bottom - to.top};
}

MonitorPart PartFor(const std::vector<MonitorArea>& monitors, int index) {
  const MonitorArea& monitor = monitors[static_cast<std::size_t>(index)];
  MonitorPart part;
  part.monitor = index;
  part.page = monitor.primary;
  part.width = monitor.bounds.Width();
  part.height = monitor.bounds.Height();
  part.dpi = monitor.dpi > 0 ? monitor.dpi : 96;
  part.work = monitor.work.Empty() ? Rect{0, 0, part.width, part.height}
                                   : Relative(monitor.work, monitor.bounds);
  return part;
}

// The monitor's pixels in a picture of `width` x `height` tiled from `origin`: the screen point
// (x, y) shows the picture's ((x - origin.x) mod width, (y - origin.y) mod height). A monitor is
// never larger than the picture, so it crosses each edge at most once.
std::vector<PicturePiece> TiledPieces(const Rect& bounds, int originX, int originY, int width,
                                      int height) {
  const int left = FloorMod(bounds.left - originX, width);
  const int top = FloorMod(bounds.top - originY, height);
  const int splitX = std::min(bounds.Width(), width - left);  // columns before the right edge
  const int splitY = std::min(bounds.Height(), height - top);
  struct Span {
    int from, to, target;  // the monitor's columns (or rows) [from, to) go to `target` onward
  };
  const Span columns[] = {{0, splitX, left}, {splitX, bounds.Width(), 0}};
  const Span rows[] = {{0, splitY, top}, {splitY, bounds.Height(), 0}};
  std::vector<PicturePiece> pieces;
  for (const Span& x : columns) {
    for (const Span& y : rows) {
      if (x.to <= x.from || y.to <= y.from) continue;
      pieces.push_back({Rect{x.target, y.target, x.target + x.to - x.from,
                             y.target + y.to - y.from},
                        x.from, y.from});
    }
  }
  return pieces;
}

bool SameBounds(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

WallpaperPlan PlanWallpapers(const std::vector<MonitorArea>& monitors, bool perMonitorWallpaper) {
  // The monitors that show pixels of their own, the primary first: a cloned display shows its
  // twin's.
  std::vector<int> shown;
  for (int index = 0; index < static_cast<int>(monitors.size()); ++index) {
    const Rect& bounds = monitors[static_cast<std::size_t>(index)].bounds;
    if (bounds.Empty()) continue;
    const bool twin = std::any_of(shown.begin(), shown.end(), [&](int other) {
      return SameBounds(monitors[static_cast<std::size_t>(other)].bounds, bounds);
    });
    if (twin) continue;
    if (monitors[static_cast<std::size_t>(index)].primary) {
      shown.insert(shown.begin(), index);
    } else {
      shown.push_back(index);
    }
  }
  WallpaperPlan plan;
  if (shown.empty()) return plan;

  if (shown.size() == 1 || perMonitorWallpaper) {
    plan.arrangement =
        shown.size() == 1 ? WallpaperArrangement::kSingle : WallpaperArrangement::kPerMonitor;
    for (const int index : shown) {
      MonitorPart part = PartFor(monitors, index);
      // A lone monitor shows the page whether or not the system names it the primary.
      part.page = part.page || shown.size() == 1;
      PlannedPicture picture{part.width, part.height,
                             monitors[static_cast<std::size_t>(index)].device, {}};
      part.pieces.push_back({{0, 0, part.width, part.height}, 0, 0});
      picture.parts.push_back(std::move(part));
      plan.pictures.push_back(std::move(picture));
    }
    return plan;
  }

  plan.arrangement = WallpaperArrangement::kSpanned;
  Rect virtualScreen = monitors[static_cast<std::size_t>(shown.front())].bounds;
  for (const int index : shown) {
    const Rect& bounds = monitors[static_cast<std::size_t>(index)].bounds;
    virtualScreen = {std::min(virtualScreen.left, bounds.left),
                     std::min(virtualScreen.top, bounds.top),
                     std::max(virtualScreen.right, bounds.right),
                     std::max(virtualScreen.bottom, bounds.bottom)};
  }
  // Without a primary among them, the tiles start where the first monitor starts.
  const Rect& origin = monitors[static_cast<std::size_t>(shown.front())].bounds;
  PlannedPicture picture{virtualScreen.Width(), virtualScreen.Height(), {}, {}};
  for (const int index : shown) {
    MonitorPart part = PartFor(monitors, index);
    part.pieces = TiledPieces(monitors[static_cast<std::size_t>(index)].bounds, origin.left,
                              origin.top, picture.width, picture.height);
    picture.parts.push_back(std::move(part));
  }
  plan.pictures.push_back(std::move(picture));
  return plan;
}

}  // namespace mirella::render
