#pragma once
// Which controls take the keyboard focus, in what order Tab visits them, and where the arrow keys
// lead: decided from the control tree alone, as a dialog decides from its controls.

#include <vector>

#include "ui/control.h"

namespace mirella::ui {

// Shown and enabled, and either a windowed input (text box, combo box, push button) or a
// windowless control that acts as a link or a button.
bool TakesFocus(const Control& control);

// The controls of `root`'s subtree that take the focus, in reading order: the layout lists
// controls top to bottom, and controls side by side on one line (consecutive ones whose middles
// lie within the height of the first of them) read left to right. A frame's controls are read
// where it stands.
std::vector<Control*> FocusOrder(Control& root);

// The control after `current` in the form's reading order (before it, backwards), wrapping
// around; the first (last) when `current` takes no focus; null when nothing takes it. A Tab group
// is one stop: the rest of `current`'s group is passed over, and a group is entered at its first
// control.
Control* NextInFocusOrder(Control& form, const Control* current, bool backwards);

enum class Direction { kLeft, kRight, kUp, kDown };

// The nearest windowless control beside `from`, in its container, that takes the focus and lies
// in that direction: keeping to the same column (row) first, then the closest. Null for none.
Control* NeighbourInDirection(const Control& from, Direction direction);

// The control that Escape clicks: the first shown, enabled control of the form marked `cancel`,
// or null.
Control* CancelControl(Control& form);

}  // namespace mirella::ui
