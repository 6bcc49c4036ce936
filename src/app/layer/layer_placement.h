#pragma once
// Where the desktop layer stands among the windows. It lives at the bottom of the z-order, just
// above the host of the user's desktop icons (the shell's window that holds their list), so that
// every application stands above it. "Show desktop" raises that host above the applications,
// however the shell does it; the layer then goes just above the host, so that the user sees the
// desktop with its links, and back down when the host goes back down.
//
// Decided by state, from the z-order alone, without any system call, so that a scripted z-order
// can drive it; not by which window came forward: the Start menu and the notification surfaces
// leave the host where it is, and so the layer too.

#include <span>

namespace mirella::app {

enum class WindowRole {
  kLayer,        // the layer's own window
  kDesktop,      // the host of the user's desktop icons
  kApplication,  // any other visible window
};

enum class LayerMove {
  kNone,          // stay where it is
  kToBottom,      // at the bottom: just above the host, or under every window without one
  kAboveDesktop,  // just above the host, which stands above other windows
};

// `zOrder` lists the roles of the visible top-level windows from the top down, the layer
// included: kAboveDesktop when the host stands above the layer, kToBottom when another window
// stands between them (or, with no host, under the layer), else kNone.
LayerMove PlaceByState(std::span<const WindowRole> zOrder);

}  // namespace mirella::app
