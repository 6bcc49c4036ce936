#include "app/layer/layer_placement.h"

#include <algorithm>

namespace mirella::app {

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
