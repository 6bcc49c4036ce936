#include "ui/win32/named_accessible.h"

namespace mirella::ui::win32 {

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

// The name, role, state, value and default action of the control itself come from what it is,
// the same on every system: not every system's generic object knows an edit or an owner-drawn
// button. A name the tree does not give is the system's.
HRESULT STDMETHODCALLTYPE NamedAccessible::get_accName(VARIANT child, BSTR* name) {
  return Guarded([&]() -> HRESULT {
    if (IsSelf(child)) {
      const AccessibleDescription described = DescribeAccessible(*control_);
      if (!described.systemNamed) return ReturnText(described.name, name);
    }
    MIRELLA_FORWARD(get_accName(child, name));
  });
}

HRESULT STDMETHODCALLTYPE NamedAccessible::get_accRole(VARIANT child, VARIANT* role) {
  return Guarded([&]() -> HRESULT {
    if (IsSelf(child) && role != nullptr) {
      VariantInit(role);
      if (const LONG msaa = MsaaRole(DescribeAccessible(*control_).role); msaa != 0) {
        role->vt = VT_I4;
        role->lVal = msaa;
        return S_OK;
      }
    }
    MIRELLA_FORWARD(get_accRole(child, role));
  });
}

// The window, not the tree, says whether the control is on the screen: it lags the tree while
// a box is up during a handler, and its form shows only once loaded.
HRESULT STDMETHODCALLTYPE NamedAccessible::get_accState(VARIANT child, VARIANT* state) {
  return Guarded([&]() -> HRESULT {
    if (!IsSelf(child) || state == nullptr) MIRELLA_FORWARD(get_accState(child, state));
    VariantInit(state);
    HWND focus = GetFocus();
    AccessiblePresence presence;
    presence.shown = IsWindowVisible(window_) != FALSE;
    presence.enabled = IsWindowEnabled(window_) != FALSE;
    presence.focused = focus != nullptr && (focus == window_ || IsChild(window_, focus));
    state->vt = VT_I4;
    state->lVal = MsaaStates(DescribeAccessible(*control_, presence).states);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE NamedAccessible::get_accValue(VARIANT child, BSTR* value) {
  return Guarded([&]() -> HRESULT {
    if (IsSelf(child)) {
      if (const auto text = DescribeAccessible(*control_).value) return ReturnText(*text, value);
    }
    MIRELLA_FORWARD(get_accValue(child, value));
  });
}

HRESULT STDMETHODCALLTYPE NamedAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  return Guarded([&]() -> HRESULT {
    if (IsSelf(child)) {
      const AccessibleDescription described = DescribeAccessible(*control_);
      if (!described.defaultAction.empty()) return ReturnText(described.defaultAction, action);
    }
    MIRELLA_FORWARD(get_accDefaultAction(child, action));
  });
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
