#include "ui/control_kinds.h"

namespace mirella::ui {

bool IsWindowed(ControlKind kind) { return IsContainer(kind) || IsWindowedInput(kind); }

bool IsContainer(ControlKind kind) {
  return kind == ControlKind::kForm || kind == ControlKind::kFrame;
}

bool IsWindowedInput(ControlKind kind) {
  return kind == ControlKind::kTextBox || kind == ControlKind::kComboBox ||
         kind == ControlKind::kButton;
}

Control* ContainerOf(const Control& control) {
  for (Control* c = control.parent; c != nullptr; c = c->parent) {
    if (IsContainer(c->kind)) return c;
  }
  return nullptr;
}

}  // namespace mirella::ui
