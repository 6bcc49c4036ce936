#pragma once
// Where the desktop layer stands among the windows. It lives at the bottom of the z-order, just
// above the wallpaper. "Show desktop" (Win+D) raises the shell's own desktop window above every
// application and makes it the foreground window; the layer then goes just above that desktop,
// so that the user sees the desktop with its links, and back to the bottom as soon as an
// application comes to the foreground again.
//
// Decided from foreground changes and the z-order at that moment, without any system call, so
// that a scripted z-order can drive it.

#include <span>

namespace mirella::app {

enum class WindowRole {
  kLayer,        // the layer's own window
  kDesktop,      // the shell's desktop window (the one "show desktop" raises)
  kTaskbar,      // the taskbar and its menus: using them keeps the desktop shown
  kApplication,  // any other visible window
};

enum class LayerMove {
  kNone,          // stay where it is
  kToBottom,      // at the bottom of the z-order, under every window
  kAboveDesktop,  // just above the raised desktop window
};

// Where the layer goes from the z-order alone, in `zOrder`'s terms (the visible top-level
// windows from the top down): kDesktop is the window that holds the user's desktop icons (the
// shell's host of its icon list), every other window but the layer counts as an application.
// When the host stands above the layer ("show desktop" raised it, however the shell did it), the
// layer goes just above the host; otherwise it belongs at the bottom, which for the layer is just
// above the host, or under every window when there is no host. kNone when it stands there.
// Decided by state, not by which window came forward: the Start menu and the notification
// surfaces leave the host where it is, and so the layer too.
LayerMove PlaceByState(std::span<const WindowRole> zOrder);

class LayerPlacement {
 public:
  // The foreground window changed to a window of `role`; `zOrder` lists the roles of the visible
  // top-level windows from the top down, the layer included.
  LayerMove OnForeground(WindowRole role, std::span<const WindowRole> zOrder);
  // False while the layer stands above the raised desktop: the layer does not then push itself
  // back to the bottom when the system moves it.
  bool HoldsAtBottom() const { return !aboveDesktop_; }

 private:
  bool aboveDesktop_ = false;
};

}  // namespace mirella::app
