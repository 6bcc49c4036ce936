#pragma once
// What assistive technology is told of any control: its role, name, states, value and default
// action, and which of a container's children it sees. Decided here, from the tree, for every
// kind of control; the platform's accessible objects only translate it.

#include <optional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace mirella::ui {

enum class AccessibleRole {
  kNone,  // never presented (timers)
  kClient,
  kGrouping,
  kStaticText,
  kGraphic,
  kProgressBar,
  kLink,
  kPushButton,
  kText,
  kComboBox,
};

struct AccessibleStates {
  bool invisible = false;
  bool unavailable = false;
  bool focusable = false;
  bool focused = false;
  bool linked = false;
  bool readOnly = false;
  bool hasPopup = false;
};

// Where the control stands. The tree says it for a windowless control; for a windowed one the
// platform passes its window's state, which lags the tree while a box is up during a handler.
struct AccessiblePresence {
  bool shown = true;
  bool enabled = true;
  bool focused = false;
};
AccessiblePresence PresenceInTree(const Control& control, bool focused = false);

// The default action of anything that follows a link, the wizard's link commands and the
// desktop layer's links alike.
inline constexpr char kFollowLinkAction[] = "Перейти";

struct AccessibleDescription {
  AccessibleRole role = AccessibleRole::kNone;
  std::string name;
  // A text box, combo box or push button without a name of its own: the platform names its
  // window (a button by its caption), and `name` is not used.
  bool systemNamed = false;
  AccessibleStates states;
  std::optional<std::string> value;  // a text box's text, a progress bar's percentage
  std::string defaultAction;         // empty for none
};

AccessibleDescription DescribeAccessible(const Control& control,
                                         const AccessiblePresence& presence);
inline AccessibleDescription DescribeAccessible(const Control& control) {
  return DescribeAccessible(control, PresenceInTree(control));
}

// The name a client reads for a control: its accessible name, else its text (a progress bar's
// caption). By reference: the renderer compares it on every sync.
const std::string& AccessibleNameOf(const Control& control);

// The container's visible children that a client sees, in stacking order: child windows, text
// and pictures, command labels and picture buttons; not hover areas, shapes or timers.
std::vector<Control*> ExposedChildren(Control& container);

}  // namespace mirella::ui
