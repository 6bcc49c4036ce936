#pragma once
// The keyboard focus of one form, as a dialog keeps it: Tab moves it in reading order, the arrow
// keys move it between windowless neighbours, and when the tree changes it follows the pages.

#include <map>

#include "ui/control.h"
#include "ui/focus_order.h"

namespace mirella::ui {

class FocusTracker {
 public:
  explicit FocusTracker(Control& form) : form_(form) {}

  Control* Focused() const { return focused_; }
  // The platform put the focus on a control (the user clicked into a text box).
  void Set(Control* control) { focused_ = control; }

  // Tab (Shift+Tab): the next (previous) control in reading order, wrapping around.
  Control* MoveInOrder(bool backwards);
  // An arrow key on a windowless control: its neighbour that way, or it stays.
  Control* MoveInDirection(Direction direction);

  // After the tree has changed. A page (any frame, or the form itself) that has just been shown
  // takes the focus on its first control in reading order, and remembers where the focus was. A
  // focus that can no longer be held goes back to that remembered control when it can take it,
  // else to the form's first control. Returns the focused control, null for the form itself.
  Control* Update();

 private:
  void CollectContainers(Control& container);

  Control& form_;
  Control* focused_ = nullptr;
  Control* returnTo_ = nullptr;
  // Whether each page was shown at the last update.
  std::map<const Control*, bool> shown_;
};

}  // namespace mirella::ui
