#include "ui/win32/container_accessible.h"

#include <optional>
#include <string>

#include "ui/win32/container_window.h"
#include "ui/win32/twips.h"
#include "ui/win32/windowless.h"

namespace mirella::ui::win32 {

namespace {

HRESULT ReturnId(LONG id, VARIANT* out) {
  out->vt = VT_I4;
  out->lVal = id;
  return S_OK;
}

}  // namespace

LONG ChildIdOf(Control& container, const Control& control) {
  const std::vector<Control*> children = ExposedChildren(container);
  for (size_t i = 0; i < children.size(); ++i) {
    if (children[i] == &control) return static_cast<LONG>(i + 1);
  }
  return CHILDID_SELF;
}

ContainerAccessible::ContainerAccessible(ContainerWindow& window, IAccessible* standard)
    : window_(&window) {
  *standard_.Put() = standard;
}

void ContainerAccessible::Disconnect() {
  AccessibleObject::Disconnect();
  window_ = nullptr;
}

ContainerAccessible::Resolved ContainerAccessible::Resolve(const VARIANT& child) {
  if (!Connected() || window_ == nullptr || window_->Handle() == nullptr) return {};
  if (child.vt != VT_I4) return {};
  if (child.lVal == CHILDID_SELF) return {Target::kSelf, &window_->Target()};
  const std::vector<Control*> children = ExposedChildren(window_->Target());
  if (child.lVal < 1 || static_cast<size_t>(child.lVal) > children.size()) return {};
  Control* control = children[static_cast<size_t>(child.lVal - 1)];
  return {IsWindowed(control->kind) ? Target::kWindow : Target::kElement, control};
}

HRESULT ContainerAccessible::ReturnChild(Control& control, VARIANT* out) {
  if (IsWindowed(control.kind)) {
    HWND handle = window_->Site().WindowOf(control);
    IDispatch* object = nullptr;
    const DWORD client = static_cast<DWORD>(OBJID_CLIENT);
    if (handle != nullptr &&
        SUCCEEDED(AccessibleObjectFromWindow(handle, client, __uuidof(IDispatch),
                                             reinterpret_cast<void**>(&object))) &&
        object != nullptr) {
      out->vt = VT_DISPATCH;
      out->pdispVal = object;
      return S_OK;
    }
  }
  return ReturnId(ChildIdOf(window_->Target(), control), out);
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::get_accParent(IDispatch** parent) {
  return Guarded([&]() -> HRESULT {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    if (!Connected() || !standard_) return CO_E_OBJNOTCONNECTED;
    return standard_->get_accParent(parent);
  });
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::get_accChildCount(LONG* count) {
  return Guarded([&]() -> HRESULT {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    if (!Connected() || window_ == nullptr) return CO_E_OBJNOTCONNECTED;
    *count = static_cast<LONG>(ExposedChildren(window_->Target()).size());
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::get_accChild(VARIANT child, IDispatch** object) {
  return Guarded([&]() -> HRESULT {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    const Resolved resolved = Resolve(child);
    if (resolved.target == Target::kInvalid || resolved.target == Target::kSelf) return E_INVALIDARG;
    if (resolved.target == Target::kElement) return S_FALSE;  // a simple element of this object
    VARIANT result{};
    ReturnChild(*resolved.control, &result);
    if (result.vt != VT_DISPATCH) return S_FALSE;
    *object = result.pdispVal;
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::get_accName(VARIANT child, BSTR* name) {
  return Guarded([&]() -> HRESULT {
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    const Resolved resolved = Resolve(child);
    if (resolved.target == Target::kInvalid || resolved.target == Target::kWindow) {
      return E_INVALIDARG;
    }
    return ReturnText(DescribeAccessible(*resolved.control).name, name);
  });
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::get_accValue(VARIANT child, BSTR* value) {
  return Guarded([&]() -> HRESULT {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    const Resolved resolved = Resolve(child);
    if (resolved.target == Target::kInvalid || resolved.target == Target::kWindow) {
      return E_INVALIDARG;
    }
    const std::optional<std::string> text = DescribeAccessible(*resolved.control).value;
    return text ? ReturnText(*text, value) : DISP_E_MEMBERNOTFOUND;
  });
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::get_accDescription(VARIANT child, BSTR* description) {
  return Guarded([&]() -> HRESULT {
    if (description == nullptr) return E_POINTER;
    *description = nullptr;
    const Resolved resolved = Resolve(child);
    if (resolved.target == Target::kInvalid || resolved.target == Target::kWindow) {
      return E_INVALIDARG;
    }
    return ReturnText(resolved.control->tooltip, description);
  });
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::get_accRole(VARIANT child, VARIANT* role) {
  return Guarded([&]() -> HRESULT {
    if (role == nullptr) return E_POINTER;
    VariantInit(role);
    const Resolved resolved = Resolve(child);
    if (resolved.target != Target::kSelf && resolved.target != Target::kElement) {
      return E_INVALIDARG;
    }
    return ReturnId(MsaaRole(DescribeAccessible(*resolved.control).role), role);
  });
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::get_accState(VARIANT child, VARIANT* state) {
  return Guarded([&]() -> HRESULT {
    if (state == nullptr) return E_POINTER;
    VariantInit(state);
    const Resolved resolved = Resolve(child);
    if (resolved.target == Target::kSelf && standard_) return standard_->get_accState(child, state);
    if (resolved.target != Target::kElement) return E_INVALIDARG;
    const Control& control = *resolved.control;
    const bool focused =
        window_->Site().KeyboardFocus() == &control && GetFocus() == window_->Handle();
    const AccessibleDescription described =
        DescribeAccessible(control, PresenceInTree(control, focused));
    return ReturnId(MsaaStates(described.states), state);
  });
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::get_accHelp(VARIANT, BSTR* help) {
  return ReturnText(L"", help);
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) {
  if (file != nullptr) *file = nullptr;
  if (topic != nullptr) *topic = -1;
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
  return ReturnText(L"", shortcut);
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::get_accFocus(VARIANT* child) {
  return Guarded([&]() -> HRESULT {
    if (child == nullptr) return E_POINTER;
    VariantInit(child);
    if (!Connected() || window_ == nullptr) return CO_E_OBJNOTCONNECTED;
    HWND focus = GetFocus();
    if (focus == window_->Handle()) {
      Control* focused = window_->Site().KeyboardFocus();
      const LONG id = focused != nullptr ? ChildIdOf(window_->Target(), *focused) : CHILDID_SELF;
      return ReturnId(id, child);
    }
    if (focus != nullptr && IsChild(window_->Handle(), focus)) {
      for (Control* control : ExposedChildren(window_->Target())) {
        HWND handle = window_->Site().WindowOf(*control);
        if (handle != nullptr && (handle == focus || IsChild(handle, focus))) {
          return ReturnChild(*control, child);
        }
      }
    }
    return S_FALSE;  // VT_EMPTY: the focus is elsewhere
  });
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::get_accSelection(VARIANT* children) {
  if (children != nullptr) VariantInit(children);
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  return Guarded([&]() -> HRESULT {
    if (action == nullptr) return E_POINTER;
    *action = nullptr;
    const Resolved resolved = Resolve(child);
    if (resolved.target == Target::kInvalid || resolved.target == Target::kWindow) {
      return E_INVALIDARG;
    }
    // S_FALSE and null for a control without one.
    return ReturnText(DescribeAccessible(*resolved.control).defaultAction, action);
  });
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::accSelect(LONG flags, VARIANT child) {
  return Guarded([&]() -> HRESULT {
    const Resolved resolved = Resolve(child);
    if (resolved.target != Target::kElement) return E_INVALIDARG;
    if ((flags & SELFLAG_TAKEFOCUS) == 0) return DISP_E_MEMBERNOTFOUND;
    return window_->Site().FocusControl(*resolved.control) ? S_OK : S_FALSE;
  });
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::accLocation(LONG* left, LONG* top, LONG* width,
                                                           LONG* height, VARIANT child) {
  return Guarded([&]() -> HRESULT {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
    *left = *top = *width = *height = 0;
    const Resolved resolved = Resolve(child);
    if (resolved.target == Target::kSelf && standard_) {
      return standard_->accLocation(left, top, width, height, child);
    }
    if (resolved.target != Target::kElement) return E_INVALIDARG;
    RECT rect = PixelRectIn(*resolved.control, window_->Target(), window_->Site().Dpi());
    MapWindowPoints(window_->Handle(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::accNavigate(LONG direction, VARIANT start,
                                                           VARIANT* end) {
  return Guarded([&]() -> HRESULT {
    if (end == nullptr) return E_POINTER;
    VariantInit(end);
    const Resolved resolved = Resolve(start);
    if (resolved.target == Target::kInvalid) return E_INVALIDARG;
    const std::vector<Control*> children = ExposedChildren(window_->Target());
    if (resolved.target == Target::kSelf) {
      if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
        if (children.empty()) return S_FALSE;
        return ReturnChild(direction == NAVDIR_FIRSTCHILD ? *children.front() : *children.back(),
                           end);
      }
      return standard_ ? standard_->accNavigate(direction, start, end) : S_FALSE;
    }
    const LONG at = start.lVal - 1;  // a valid element or window id
    LONG next = -1;
    if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT) {
      next = at + 1;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT) {
      next = at - 1;
    }
    if (next < 0 || static_cast<size_t>(next) >= children.size()) return S_FALSE;
    return ReturnChild(*children[static_cast<size_t>(next)], end);
  });
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
  return Guarded([&]() -> HRESULT {
    if (child == nullptr) return E_POINTER;
    VariantInit(child);
    if (!Connected() || window_ == nullptr || window_->Handle() == nullptr) {
      return CO_E_OBJNOTCONNECTED;
    }
    HWND self = window_->Handle();
    POINT point{x, y};
    ScreenToClient(self, &point);
    RECT client{};
    GetClientRect(self, &client);
    if (!PtInRect(&client, point)) return S_FALSE;
    for (Control* control : ExposedChildren(window_->Target())) {
      if (!IsWindowed(control->kind)) continue;
      HWND handle = window_->Site().WindowOf(*control);
      if (handle == nullptr || !IsWindowVisible(handle)) continue;
      RECT rect{};
      GetWindowRect(handle, &rect);
      if (PtInRect(&rect, POINT{x, y})) return ReturnChild(*control, child);
    }
    if (Control* hit = HitWindowless(window_->Target(), point, window_->Site().Dpi())) {
      const LONG id = ChildIdOf(window_->Target(), *hit);
      return ReturnId(id, child);
    }
    return ReturnId(CHILDID_SELF, child);
  });
}

HRESULT STDMETHODCALLTYPE ContainerAccessible::accDoDefaultAction(VARIANT child) {
  return Guarded([&]() -> HRESULT {
    const Resolved resolved = Resolve(child);
    if (resolved.target == Target::kInvalid || resolved.target == Target::kWindow) {
      return E_INVALIDARG;
    }
    if (resolved.target == Target::kSelf ||
        resolved.control->activation == Activation::kNone) {
      return DISP_E_MEMBERNOTFOUND;
    }
    if (!resolved.control->enabled || !resolved.control->IsShown()) return E_FAIL;
    // The click runs after the client's call has returned: it may open a modal box.
    window_->ClickLater(*resolved.control);
    return S_OK;
  });
}

}  // namespace mirella::ui::win32
