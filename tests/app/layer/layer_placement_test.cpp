#include "app/layer/layer_placement.h"

#include <gtest/gtest.h>

namespace mirella::app {
namespace {

// By state alone: wherever the host of the icons stands above the layer, the layer goes just
// above it; one application between them sends the layer back down; no host, the very bottom.
TEST(LayerPlacement, ByStateFollowsTheHostOfTheIcons) {
  using enum WindowRole;
  const WindowRole resting[] = {kApplication, kApplication, kLayer, kDesktop, kApplication};
  EXPECT_EQ(PlaceByState(resting), LayerMove::kNone);
  const WindowRole shown[] = {kApplication, kDesktop, kLayer, kApplication};
  EXPECT_EQ(PlaceByState(shown), LayerMove::kAboveDesktop);
  // Still shown with the Start menu over it: the layer stays.
  const WindowRole startMenu[] = {kApplication, kLayer, kDesktop, kApplication};
  EXPECT_EQ(PlaceByState(startMenu), LayerMove::kNone);
  // An application came forward and the shell put its host back down, under the others.
  const WindowRole back[] = {kApplication, kLayer, kApplication, kDesktop};
  EXPECT_EQ(PlaceByState(back), LayerMove::kToBottom);
  const WindowRole noHost[] = {kLayer, kApplication};
  EXPECT_EQ(PlaceByState(noHost), LayerMove::kToBottom);
  const WindowRole alone[] = {kApplication, kLayer};
  EXPECT_EQ(PlaceByState(alone), LayerMove::kNone);
  const WindowRole hidden[] = {kApplication, kDesktop};
  EXPECT_EQ(PlaceByState(hidden), LayerMove::kToBottom);
}

}  // namespace
}  // namespace mirella::app
