#pragma once
// What each kind of control is to a renderer: a window of its own or painted by its container,
// a container of other controls, an input that takes the keyboard in its own window.

#include "ui/control.h"

namespace mirella::ui {

// Forms, frames, text boxes, combo boxes and push buttons get a window of their own.
bool IsWindowed(ControlKind kind);
// Forms and frames: they hold and paint the windowless controls inside them.
bool IsContainer(ControlKind kind);
// Text boxes, combo boxes and push buttons.
bool IsWindowedInput(ControlKind kind);

// The nearest ancestor that is a container (whose window shows the control), or null.
Control* ContainerOf(const Control& control);

}  // namespace mirella::ui
