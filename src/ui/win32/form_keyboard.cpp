#include "ui/win32/form_keyboard.h"

#include <oleacc.h>

#include "ui/control_kinds.h"
#include "ui/focus_order.h"
#include "ui/win32/container_accessible.h"

namespace mirella::ui::win32 {

namespace {

Control* FindWindowed(Control& container, const ContainerSite& site, HWND window) {
  for (auto& child : container.children) {
    if (IsWindowed(child->kind) && site.WindowOf(*child) == window) return child.get();
    if (Control* found = FindWindowed(*child, site, window)) return found;
  }
  return nullptr;
}

}  // namespace

Control* FormKeyboard::WindowedControlOf(HWND window) const {
  return window != nullptr ? FindWindowed(form_, site_, window) : nullptr;
}

HWND FormKeyboard::FocusWindowOf(const Control* control) const {
  if (control == nullptr) return FormWindow();
  if (IsWindowed(control->kind)) return site_.WindowOf(*control);
  const Control* container = ContainerOf(*control);
  return container != nullptr ? site_.WindowOf(*container) : nullptr;
}

const Control* FormKeyboard::FocusCueIn(const Control& container) const {
  if (!focusCues_ || applied_ == nullptr || IsWindowed(applied_->kind)) return nullptr;
  return ContainerOf(*applied_) == &container ? applied_ : nullptr;
}

void FormKeyboard::ApplyFocus(Control* control, bool byTab) {
  const Control* previous = applied_;
  applied_ = control;
  focus_.Set(control);
  HWND target = FocusWindowOf(control);
  if (target == nullptr) target = FormWindow();
  if (byTab && control != nullptr && control->kind == ControlKind::kTextBox) {
    SendMessageW(target, EM_SETSEL, 0, -1);  // as a dialog selects the text Tab arrives at
  }
  // A form in the background takes the focus when it is next activated.
  if (GetActiveWindow() == FormWindow() && GetFocus() != target) SetFocus(target);
  for (const Control* cue : {previous, static_cast<const Control*>(control)}) {
    if (cue == nullptr || IsWindowed(cue->kind)) continue;
    if (HWND container = FocusWindowOf(cue)) InvalidateRect(container, nullptr, FALSE);
  }
  // Windows announce their own focus; a windowless control's is announced for it.
  if (control != nullptr && !IsWindowed(control->kind) && GetFocus() == target) {
    if (Control* container = ContainerOf(*control)) {
      NotifyWinEvent(EVENT_OBJECT_FOCUS, target, OBJID_CLIENT, ChildIdOf(*container, *control));
    }
  }
}

void FormKeyboard::OnFocusArrived(Control& control) {
  if (&control == applied_) return;
  const Control* previous = applied_;
  applied_ = &control;
  focus_.Set(&control);
  if (previous != nullptr && !IsWindowed(previous->kind)) {
    if (HWND container = FocusWindowOf(previous)) InvalidateRect(container, nullptr, FALSE);
  }
}

void FormKeyboard::FollowTree() {
  Control* focused = focus_.Update();
  if (focused != applied_) ApplyFocus(focused, false);
}

void FormKeyboard::RestoreFocus() {
  HWND target = FocusWindowOf(applied_);
  if (target == nullptr || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
    target = FormWindow();
  }
  SetFocus(target);
}

bool FormKeyboard::FocusControl(Control& control) {
  if (!TakesFocus(control)) return false;
  ApplyFocus(&control, false);
  return true;
}

bool FormKeyboard::TranslateKey(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  HWND focus = GetFocus();
  HWND form = FormWindow();
  if (focus == nullptr || (focus != form && !IsChild(form, focus))) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  // An open drop-down list takes its own keys.
  // A frame's window holds the focus of its windowless controls.
  Control* windowed = WindowedControlOf(focus);
  if (windowed != nullptr && windowed->kind != ControlKind::kFrame) {
    if (windowed->kind == ControlKind::kComboBox && SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0)) {
      return false;
    }
    OnFocusArrived(*windowed);
  }
  if (message.wParam == VK_TAB) {
    focusCues_ = true;
    ApplyFocus(focus_.MoveInOrder(GetKeyState(VK_SHIFT) < 0), true);
    return true;
  }
  return HandleKey(message.wParam, (message.lParam & (1 << 30)) != 0, focus);
}

bool FormKeyboard::HandleKey(WPARAM key, bool repeated, HWND focus) {
  Control* focused = focus_.Focused();
  const bool onWindowless = focused != nullptr && !IsWindowed(focused->kind) &&
                            focus == FocusWindowOf(focused);
  const bool onButton = focused != nullptr && focused->kind == ControlKind::kButton &&
                        focus == site_.WindowOf(*focused);
  switch (key) {
    case VK_ESCAPE:
      if (repeated) return true;
      if (Control* cancel = CancelControl(form_)) site_.RaiseClick(*cancel);
      return true;
    case VK_RETURN:
      if (!onWindowless && !onButton) return false;
      if (!repeated) site_.RaiseClick(*focused);
      return true;
    case VK_SPACE:
      if (!onWindowless) return false;
      if (!repeated) site_.RaiseClick(*focused);
      return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (!onWindowless) return false;
      focusCues_ = true;
      ApplyFocus(focus_.MoveInDirection(key == VK_LEFT    ? Direction::kLeft
                                        : key == VK_RIGHT ? Direction::kRight
                                        : key == VK_UP    ? Direction::kUp
                                                          : Direction::kDown),
                 false);
      return true;
    default:
      return false;
  }
}

}  // namespace mirella::ui::win32
