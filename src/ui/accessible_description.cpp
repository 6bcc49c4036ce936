#include "ui/accessible_description.h"

#include "ui/control_kinds.h"

namespace mirella::ui {

namespace {

constexpr char kPress[] = "Нажать";

AccessibleRole RoleOf(const Control& control) {
  if (!IsWindowed(control.kind)) {
    if (control.activation == Activation::kLink) return AccessibleRole::kLink;
    if (control.activation == Activation::kPushButton) return AccessibleRole::kPushButton;
  }
  switch (control.kind) {
    case ControlKind::kForm:
      return AccessibleRole::kClient;
    case ControlKind::kFrame:
      // A frame with a border and a caption is drawn as a group box.
      return control.border && !control.text.empty() ? AccessibleRole::kGrouping
                                                      : AccessibleRole::kClient;
    case ControlKind::kLabel:
      return AccessibleRole::kStaticText;
    case ControlKind::kImage:
    case ControlKind::kShape:
      return AccessibleRole::kGraphic;
    case ControlKind::kProgress:
      return AccessibleRole::kProgressBar;
    case ControlKind::kTextBox:
      return AccessibleRole::kText;
    case ControlKind::kComboBox:
      return AccessibleRole::kComboBox;
    case ControlKind::kButton:
      return AccessibleRole::kPushButton;
    case ControlKind::kTimer:
      break;
  }
  return AccessibleRole::kNone;
}

AccessibleStates StatesOf(const Control& control, const AccessiblePresence& presence) {
  AccessibleStates states;
  states.invisible = !presence.shown;
  states.unavailable = !presence.enabled;
  states.focused = presence.focused;
  if (IsWindowedInput(control.kind)) {
    states.focusable = true;
    states.hasPopup = control.kind == ControlKind::kComboBox;
  } else if (!IsWindowed(control.kind)) {
    states.focusable = control.activation != Activation::kNone;
    states.linked = control.activation == Activation::kLink;
    states.readOnly =
        control.activation == Activation::kNone && control.kind == ControlKind::kLabel;
  }
  return states;
}

std::optional<std::string> ValueOf(const Control& control) {
  switch (control.kind) {
    case ControlKind::kTextBox:
    case ControlKind::kComboBox:
      return control.text;
    case ControlKind::kProgress:
      if (control.progress) return std::to_string(control.progress->Value());
      break;
    default:
      break;
  }
  return std::nullopt;
}

std::string DefaultActionOf(const Control& control) {
  if (control.kind == ControlKind::kButton) return kPress;
  if (IsWindowed(control.kind)) return {};
  switch (control.activation) {
    case Activation::kLink:
      return kFollowLinkAction;
    case Activation::kPushButton:
      return kPress;
    case Activation::kNone:
      break;
  }
  return {};
}

bool IsExposedElement(const Control& control) {
  switch (control.kind) {
    case ControlKind::kLabel:
      return !control.text.empty() || control.activation != Activation::kNone;
    case ControlKind::kImage:
      return !control.picture.empty() || control.activation != Activation::kNone;
    case ControlKind::kProgress:
      return true;
    default:
      return false;
  }
}

}  // namespace

AccessiblePresence PresenceInTree(const Control& control, bool focused) {
  return AccessiblePresence{control.IsShown(), control.enabled, focused};
}

AccessibleDescription DescribeAccessible(const Control& control,
                                         const AccessiblePresence& presence) {
  AccessibleDescription description;
  description.role = RoleOf(control);
  description.systemNamed = IsWindowedInput(control.kind) && control.accessibleName.empty();
  if (!description.systemNamed) description.name = AccessibleNameOf(control);
  description.states = StatesOf(control, presence);
  description.value = ValueOf(control);
  description.defaultAction = DefaultActionOf(control);
  return description;
}

const std::string& AccessibleNameOf(const Control& control) {
  if (!control.accessibleName.empty()) return control.accessibleName;
  if (control.kind == ControlKind::kProgress && control.progress) return control.progress->Caption();
  return control.text;
}

std::vector<Control*> ExposedChildren(Control& container) {
  std::vector<Control*> children;
  for (auto& child : container.children) {
    if (!child->visible) continue;
    if (IsWindowed(child->kind) || IsExposedElement(*child)) children.push_back(child.get());
  }
  return children;
}

}  // namespace mirella::ui
