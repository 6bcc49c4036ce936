#include "ui/win32/named_accessible.h"

namespace mirella::ui::win32 {

namespace {
constexpr wchar_t kPress[] = L"Нажать";
}  // namespace

// What the control tree does not say is the system object's.
#define MIRELLA_FORWARD(call)                                    \
  do {                                                           \
    IAccessible* standard = Standard();                          \
    if (standard == nullptr) return CO_E_OBJNOTCONNECTED;         \
    return standard->call;                                       \
  } while (false)

NamedAccessible::NamedAccessible(const Control& control, HWND window, IAccessible* standard)
    : control_(&control), window_(window) {
  *standard_.Put() = standard;
}

void NamedAccessible::Disconnect() {
  AccessibleObject::Disconnect();
  control_ = nullptr;
}

bool NamedAccessible::IsSelf(const VARIANT& child) const {
  return Connected() && control_ != nullptr && child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT STDMETHODCALLTYPE NamedAccessible::get_accName(VARIANT child, BSTR* name) {
  return Guarded([&]() -> HRESULT {
    if (IsSelf(child) && !control_->accessibleName.empty()) {
      return ReturnText(control_->accessibleName, name);
    }
    MIRELLA_FORWARD(get_accName(child, name));
  });
}

// The role, state and value of the control itself come from what it is, the same on every
// system: not every system's generic object knows an edit or an owner-drawn button.
HRESULT STDMETHODCALLTYPE NamedAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (IsSelf(child) && role != nullptr) {
    VariantInit(role);
    role->vt = VT_I4;
    switch (control_->kind) {
      case ControlKind::kTextBox:
        role->lVal = ROLE_SYSTEM_TEXT;
        return S_OK;
      case ControlKind::kComboBox:
        role->lVal = ROLE_SYSTEM_COMBOBOX;
        return S_OK;
      case ControlKind::kButton:
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
      default:
        role->vt = VT_EMPTY;
        break;
    }
  }
  MIRELLA_FORWARD(get_accRole(child, role));
}

HRESULT STDMETHODCALLTYPE NamedAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (!IsSelf(child) || state == nullptr) MIRELLA_FORWARD(get_accState(child, state));
  VariantInit(state);
  LONG flags = STATE_SYSTEM_FOCUSABLE;
  HWND focus = GetFocus();
  if (focus != nullptr && (focus == window_ || IsChild(window_, focus))) {
    flags |= STATE_SYSTEM_FOCUSED;
  }
  if (!IsWindowVisible(window_)) flags |= STATE_SYSTEM_INVISIBLE;
  if (!IsWindowEnabled(window_)) flags |= STATE_SYSTEM_UNAVAILABLE;
  if (control_->kind == ControlKind::kComboBox) flags |= STATE_SYSTEM_HASPOPUP;
  state->vt = VT_I4;
  state->lVal = flags;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE NamedAccessible::get_accValue(VARIANT child, BSTR* value) {
  return Guarded([&]() -> HRESULT {
    if (IsSelf(child) && (control_->kind == ControlKind::kTextBox ||
                          control_->kind == ControlKind::kComboBox)) {
      return ReturnText(control_->text, value);
    }
    MIRELLA_FORWARD(get_accValue(child, value));
  });
}

HRESULT STDMETHODCALLTYPE NamedAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (IsSelf(child) && control_->kind == ControlKind::kButton) return ReturnText(kPress, action);
  MIRELLA_FORWARD(get_accDefaultAction(child, action));
}

// A push button is pressed as the system presses one: by a posted BM_CLICK, after the call.
HRESULT STDMETHODCALLTYPE NamedAccessible::accDoDefaultAction(VARIANT child) {
  if (IsSelf(child) && control_->kind == ControlKind::kButton) {
    if (!IsWindowEnabled(window_) || !IsWindowVisible(window_)) return E_FAIL;
    return PostMessageW(window_, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
  }
  MIRELLA_FORWARD(accDoDefaultAction(child));
}

HRESULT STDMETHODCALLTYPE NamedAccessible::get_accParent(IDispatch** parent) {
  MIRELLA_FORWARD(get_accParent(parent));
}
HRESULT STDMETHODCALLTYPE NamedAccessible::get_accChildCount(LONG* count) {
  MIRELLA_FORWARD(get_accChildCount(count));
}
HRESULT STDMETHODCALLTYPE NamedAccessible::get_accChild(VARIANT child, IDispatch** object) {
  MIRELLA_FORWARD(get_accChild(child, object));
}
HRESULT STDMETHODCALLTYPE NamedAccessible::get_accDescription(VARIANT child, BSTR* description) {
  MIRELLA_FORWARD(get_accDescription(child, description));
}
HRESULT STDMETHODCALLTYPE NamedAccessible::get_accHelp(VARIANT child, BSTR* help) {
  MIRELLA_FORWARD(get_accHelp(child, help));
}
HRESULT STDMETHODCALLTYPE NamedAccessible::get_accHelpTopic(BSTR* file, VARIANT child,
                                                            LONG* topic) {
  MIRELLA_FORWARD(get_accHelpTopic(file, child, topic));
}
HRESULT STDMETHODCALLTYPE NamedAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  MIRELLA_FORWARD(get_accKeyboardShortcut(child, shortcut));
}
HRESULT STDMETHODCALLTYPE NamedAccessible::get_accFocus(VARIANT* child) {
  MIRELLA_FORWARD(get_accFocus(child));
}
HRESULT STDMETHODCALLTYPE NamedAccessible::get_accSelection(VARIANT* children) {
  MIRELLA_FORWARD(get_accSelection(children));
}
HRESULT STDMETHODCALLTYPE NamedAccessible::accSelect(LONG flags, VARIANT child) {
  MIRELLA_FORWARD(accSelect(flags, child));
}
HRESULT STDMETHODCALLTYPE NamedAccessible::accLocation(LONG* left, LONG* top, LONG* width,
                                                       LONG* height, VARIANT child) {
  MIRELLA_FORWARD(accLocation(left, top, width, height, child));
}
HRESULT STDMETHODCALLTYPE NamedAccessible::accNavigate(LONG direction, VARIANT start,
                                                       VARIANT* end) {
  MIRELLA_FORWARD(accNavigate(direction, start, end));
}
HRESULT STDMETHODCALLTYPE NamedAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
  MIRELLA_FORWARD(accHitTest(x, y, child));
}

#undef MIRELLA_FORWARD

}  // namespace mirella::ui::win32
