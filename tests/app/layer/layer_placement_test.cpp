#include "app/layer/layer_placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace mirella::app {
namespace {

// A z-order as the system would keep it (top first), which the test changes as Windows does and
// the layer's decisions change as the layer's window would move.
class ScriptedDesktop {
 public:
  // The shell's desktop window always stands at the bottom but while it is shown; a window put
  // at the bottom goes just above it.
  ScriptedDesktop() : order_{"taskbar", "editor", "browser", "layer", "desktop"} {}

  // A window comes to the top and to the foreground; the layer hears of it. An application
  // ends the shown desktop, which goes back to the bottom.
  void Activate(const std::string& name) {
    if (RoleOf(name) == WindowRole::kApplication && desktopShown_) {
      Move("desktop", order_.size() - 1);
      desktopShown_ = false;
    }
    Move(name, 0);
    Apply(placement_.OnForeground(RoleOf(name), Roles()));
  }
  // Win+D: the shell raises its desktop window above every application.
  void ShowDesktop() {
    desktopShown_ = true;
    Activate("desktop");
  }
  // The system moves the layer up (a click, a window manager); the layer answers as its
  // WM_WINDOWPOSCHANGING does.
  void SystemRaisesLayer() {
    if (!placement_.HoldsAtBottom()) Move("layer", 0);
  }
  bool Above(const std::string& upper, const std::string& lower) const {
    return Position(upper) < Position(lower);
  }
  bool LayerAtBottomAboveWallpaper() const { return order_[order_.size() - 2] == "layer"; }

 private:
  static WindowRole RoleOf(const std::string& name) {
    if (name == "layer") return WindowRole::kLayer;
    if (name == "desktop") return WindowRole::kDesktop;
    if (name == "taskbar") return WindowRole::kTaskbar;
    return WindowRole::kApplication;
  }
  std::vector<WindowRole> Roles() const {
    std::vector<WindowRole> roles;
    for (const std::string& name : order_) roles.push_back(RoleOf(name));
    return roles;
  }
  std::size_t Position(const std::string& name) const {
    return static_cast<std::size_t>(std::find(order_.begin(), order_.end(), name) - order_.begin());
  }
  void Move(const std::string& name, std::size_t position) {
    ASSERT_LT(Position(name), order_.size());
    order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(Position(name)));
    order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(position), name);
  }
  void Apply(LayerMove move) {
    switch (move) {
      case LayerMove::kNone: break;
      case LayerMove::kAboveDesktop: Move("layer", Position("desktop")); break;
      case LayerMove::kToBottom:
        Move("layer", order_.size() - 1);
        if (!desktopShown_) Move("desktop", order_.size() - 1);
        break;
    }
  }
  LayerPlacement placement_;
  bool desktopShown_ = false;
  std::vector<std::string> order_;
};

TEST(LayerPlacement, ShowDesktopKeepsTheLayerVisibleUntilAnApplicationComesBack) {
  ScriptedDesktop desktop;
  desktop.Activate("browser");
  desktop.SystemRaisesLayer();  // held at the bottom
  EXPECT_TRUE(desktop.LayerAtBottomAboveWallpaper());

  desktop.ShowDesktop();
  EXPECT_TRUE(desktop.Above("layer", "desktop"));
  EXPECT_TRUE(desktop.Above("desktop", "editor"));
  desktop.Activate("taskbar");  // the Start menu or the clock: the desktop stays shown
  desktop.ShowDesktop();        // the desktop is active again, over the taskbar's menu
  EXPECT_TRUE(desktop.Above("layer", "desktop"));
  EXPECT_TRUE(desktop.Above("desktop", "editor"));

  desktop.Activate("editor");  // Win+D again, or a click on the taskbar's button
  EXPECT_TRUE(desktop.Above("editor", "layer"));
  EXPECT_TRUE(desktop.Above("browser", "layer"));
  EXPECT_TRUE(desktop.LayerAtBottomAboveWallpaper());
}

// Where the desktop window is active but not raised (it always stands under the layer), the
// layer stays at the bottom under the applications.
TEST(LayerPlacement, AnActiveDesktopUnderTheLayerChangesNothing) {
  LayerPlacement placement;
  const WindowRole order[] = {WindowRole::kApplication, WindowRole::kLayer, WindowRole::kDesktop};
  EXPECT_EQ(placement.OnForeground(WindowRole::kDesktop, order), LayerMove::kNone);
  EXPECT_TRUE(placement.HoldsAtBottom());
  EXPECT_EQ(placement.OnForeground(WindowRole::kApplication, order), LayerMove::kNone);
}

// By state alone: wherever the host of the icons stands above the layer, the layer goes just
// above it; one application between them sends the layer back down; no host, the very bottom.
TEST(LayerPlacement, ByStateFollowsTheHostOfTheIcons) {
  using enum WindowRole;
  const WindowRole resting[] = {kTaskbar, kApplication, kLayer, kDesktop, kApplication};
  EXPECT_EQ(PlaceByState(resting), LayerMove::kNone);
  const WindowRole shown[] = {kTaskbar, kDesktop, kLayer, kApplication};
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
}

}  // namespace
}  // namespace mirella::app
