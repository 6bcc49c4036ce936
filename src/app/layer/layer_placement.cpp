#include "app/layer/layer_placement.h"

#include <algorithm>

namespace mirella::app {

LayerMove LayerPlacement::OnForeground(WindowRole role, std::span<const WindowRole> zOrder) {
  switch (role) {
    case WindowRole::kDesktop: {
      // The desktop in front of the layer has been raised over the applications; a desktop that
      // is only active where it always stands (under the layer) changes nothing.
      const auto desktop = std::find(zOrder.begin(), zOrder.end(), WindowRole::kDesktop);
      const auto layer = std::find(zOrder.begin(), zOrder.end(), WindowRole::kLayer);
      if (desktop == zOrder.end() || desktop > layer) return LayerMove::kNone;
      aboveDesktop_ = true;
      return LayerMove::kAboveDesktop;
    }
    case WindowRole::kApplication:
      if (!aboveDesktop_) return LayerMove::kNone;
      aboveDesktop_ = false;
      return LayerMove::kToBottom;
    case WindowRole::kLayer:
    case WindowRole::kTaskbar:
      return LayerMove::kNone;
  }
  return LayerMove::kNone;
}

LayerMove PlaceByState(std::span<const WindowRole> zOrder) {
  const auto layer = std::find(zOrder.begin(), zOrder.end(), WindowRole::kLayer);
  const auto host = std::find(zOrder.begin(), zOrder.end(), WindowRole::kDesktop);
  if (layer == zOrder.end()) return LayerMove::kToBottom;  // not shown yet: it starts down there
  if (host == zOrder.end()) {
    return layer + 1 == zOrder.end() ? LayerMove::kNone : LayerMove::kToBottom;
  }
  if (host < layer) return LayerMove::kAboveDesktop;
  return host == layer + 1 ? LayerMove::kNone : LayerMove::kToBottom;
}

}  // namespace mirella::app
