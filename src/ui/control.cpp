#include "ui/control.h"

#include <utility>

namespace mirella::ui {

Control& Control::Add(std::unique_ptr<Control> child) {
  child->parent = this;
  children.push_back(std::move(child));
  return *children.back();
}

const Control* Control::Find(const std::string& controlName, int controlIndex) const {
  if (name == controlName && index == controlIndex) return this;
  for (const auto& child : children) {
    if (const Control* found = child->Find(controlName, controlIndex)) return found;
  }
  return nullptr;
}

Control* Control::Find(const std::string& controlName, int controlIndex) {
  return const_cast<Control*>(std::as_const(*this).Find(controlName, controlIndex));
}

bool Control::IsShown() const {
  for (const Control* control = this; control != nullptr; control = control->parent) {
    if (!control->visible) return false;
  }
  return true;
}

// The form's own bounds place its window on the screen, so they do not count towards positions
// inside its client area.
int Control::FormLeft() const {
  int left = 0;
  for (const Control* control = this; control != nullptr && control->kind != ControlKind::kForm;
       control = control->parent) {
    left += control->bounds.left;
  }
  return left;
}

int Control::FormTop() const {
  int top = 0;
  for (const Control* control = this; control != nullptr && control->kind != ControlKind::kForm;
       control = control->parent) {
    top += control->bounds.top;
  }
  return top;
}

// A control outside any form belongs to the root of its tree.
const Control& Control::Form() const {
  const Control* control = this;
  while (control->kind != ControlKind::kForm && control->parent != nullptr) control = control->parent;
  return *control;
}

}  // namespace mirella::ui
