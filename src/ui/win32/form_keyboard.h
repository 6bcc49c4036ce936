#pragma once
// The keyboard of one form, as a dialog handles it: where the focus is and which window holds
// it, Tab and Shift+Tab, the arrows between windowless neighbours, Enter, Space and Escape, and
// the focus cue of a windowless control, which shows once the keyboard has moved the focus.

#include <windows.h>

#include "ui/control.h"
#include "ui/focus_tracker.h"
#include "ui/win32/container_site.h"

namespace mirella::ui::win32 {

class FormKeyboard {
 public:
  // The site gives the windows of the form's controls and takes the clicks of Enter, Space and
  // Escape.
  FormKeyboard(Control& form, ContainerSite& site) : form_(form), site_(site), focus_(form) {}

  // The control that holds the focus, null for the form itself.
  Control* Focused() const { return focus_.Focused(); }

  // A key as the message loop hands it over before dispatching; true when it was the form's.
  bool TranslateKey(const MSG& message);
  // The form became active: the focus goes back to the control that had it.
  void RestoreFocus();
  // Gives the control the focus; false when it takes none.
  bool FocusControl(Control& control);
  // The windowless child of `container` that shows the focus cue, or null.
  const Control* FocusCueIn(const Control& container) const;
  // A child window of the control took the focus (a click into a text box).
  void OnFocusArrived(Control& control);
  // After the tree has changed: pages shown or hidden move the focus.
  void FollowTree();

 private:
  HWND FormWindow() const { return site_.WindowOf(form_); }
  // The windowed control (frames included) whose window is `window`, or null.
  Control* WindowedControlOf(HWND window) const;
  // The window that holds the focus for a control: its own, its container's for a windowless
  // one, the form's for none.
  HWND FocusWindowOf(const Control* control) const;
  // Moves the windows' focus to the control (null: the form); Tab selects a text box's text.
  void ApplyFocus(Control* control, bool byTab);
  // Enter, Space, Escape and the arrows on the focused control; true when handled.
  bool HandleKey(WPARAM key, bool repeated, HWND focus);

  Control& form_;
  ContainerSite& site_;
  FocusTracker focus_;
  const Control* applied_ = nullptr;  // the focus last given to the windows
  bool focusCues_ = false;
};

}  // namespace mirella::ui::win32
