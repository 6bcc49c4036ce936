#include "app/layer/layer_accessible_win32.h"

#include "ui/accessible_description.h"

namespace mirella::app {
namespace {

// No text: S_FALSE and a null string, as for an empty one.
HRESULT Nothing(BSTR* out) {
  return ui::win32::ReturnText(static_cast<const wchar_t*>(nullptr), out);
}

}  // namespace

LayerAccessible::LayerAccessible(LayerLinkSite& site, IAccessible* standard) : site_(&site) {
  *standard_.Put() = standard;
}

void LayerAccessible::Disconnect() {
  AccessibleObject::Disconnect();
  site_ = nullptr;
  standard_.Put();  // lets the standard object go
}

const LayerLink* LayerAccessible::LinkOf(const VARIANT& child) const {
  if (!Connected() || site_ == nullptr || child.vt != VT_I4 || child.lVal <= 0) return nullptr;
  const std::vector<LayerLink>& links = site_->Links();
  const auto index = static_cast<std::size_t>(child.lVal - 1);
  return index < links.size() ? &links[index] : nullptr;
}

HRESULT LayerAccessible::get_accParent(IDispatch** parent) {
  return ui::win32::Guarded([&]() -> HRESULT {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    if (!Connected() || !standard_) return CO_E_OBJNOTCONNECTED;
    return standard_->get_accParent(parent);
  });
}

HRESULT LayerAccessible::get_accChildCount(LONG* count) {
  if (count == nullptr) return E_POINTER;
  *count = Connected() && site_ != nullptr ? static_cast<LONG>(site_->Links().size()) : 0;
  return Connected() ? S_OK : CO_E_OBJNOTCONNECTED;
}

HRESULT LayerAccessible::get_accChild(VARIANT child, IDispatch** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  return LinkOf(child) != nullptr ? S_FALSE : E_INVALIDARG;  // simple elements
}

HRESULT LayerAccessible::get_accName(VARIANT child, BSTR* name) {
  return ui::win32::Guarded([&]() -> HRESULT {
    if (IsSelf(child)) return Connected() ? Nothing(name) : CO_E_OBJNOTCONNECTED;
    const LayerLink* link = LinkOf(child);
    if (link == nullptr) return E_INVALIDARG;
    return ui::win32::ReturnText(link->name, name);
  });
}

HRESULT LayerAccessible::get_accValue(VARIANT, BSTR* value) { return Nothing(value); }
HRESULT LayerAccessible::get_accDescription(VARIANT, BSTR* text) { return Nothing(text); }
HRESULT LayerAccessible::get_accHelp(VARIANT, BSTR* text) { return Nothing(text); }
HRESULT LayerAccessible::get_accKeyboardShortcut(VARIANT, BSTR* text) { return Nothing(text); }

HRESULT LayerAccessible::get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) {
  if (topic != nullptr) *topic = 0;
  return Nothing(file);
}

HRESULT LayerAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  role->vt = VT_EMPTY;
  if (!IsSelf(child) && LinkOf(child) == nullptr) return E_INVALIDARG;
  role->vt = VT_I4;
  role->lVal = IsSelf(child) ? ROLE_SYSTEM_PANE : ui::win32::MsaaRole(ui::AccessibleRole::kLink);
  return S_OK;
}

HRESULT LayerAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  state->vt = VT_EMPTY;
  if (!IsSelf(child) && LinkOf(child) == nullptr) return E_INVALIDARG;
  state->vt = VT_I4;
  state->lVal = IsSelf(child) ? 0 : ui::win32::MsaaStates({.linked = true});
  return S_OK;
}

HRESULT LayerAccessible::get_accFocus(VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  child->vt = VT_EMPTY;  // the layer never takes the focus
  return S_FALSE;
}

HRESULT LayerAccessible::get_accSelection(VARIANT* children) {
  if (children == nullptr) return E_POINTER;
  children->vt = VT_EMPTY;
  return S_FALSE;
}

HRESULT LayerAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (IsSelf(child)) return Nothing(action);
  if (LinkOf(child) == nullptr) return E_INVALIDARG;
  return ui::win32::ReturnText(ui::kFollowLinkAction, action);
}

HRESULT LayerAccessible::accSelect(LONG, VARIANT) { return DISP_E_MEMBERNOTFOUND; }

HRESULT LayerAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                     VARIANT child) {
  return ui::win32::Guarded([&]() -> HRESULT {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
      return E_POINTER;
    }
    if (IsSelf(child)) {
      if (!Connected() || !standard_) return CO_E_OBJNOTCONNECTED;
      return standard_->accLocation(left, top, width, height, child);
    }
    const LayerLink* link = LinkOf(child);
    if (link == nullptr) return E_INVALIDARG;
    const POINT origin = site_->LayoutOrigin();
    *left = origin.x + link->bounds.left;
    *top = origin.y + link->bounds.top;
    *width = link->bounds.Width();
    *height = link->bounds.Height();
    return S_OK;
  });
}

HRESULT LayerAccessible::accNavigate(LONG, VARIANT, VARIANT* end) {
  if (end == nullptr) return E_POINTER;
  end->vt = VT_EMPTY;
  return S_FALSE;
}

HRESULT LayerAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
  return ui::win32::Guarded([&]() -> HRESULT {
    if (child == nullptr) return E_POINTER;
    child->vt = VT_EMPTY;
    if (!Connected() || site_ == nullptr) return CO_E_OBJNOTCONNECTED;
    const POINT origin = site_->LayoutOrigin();
    const std::vector<LayerLink>& links = site_->Links();
    for (std::size_t i = 0; i < links.size(); ++i) {
      if (links[i].bounds.Contains(x - origin.x, y - origin.y)) {
        child->vt = VT_I4;
        child->lVal = static_cast<LONG>(i + 1);
        return S_OK;
      }
    }
    return standard_ ? standard_->accHitTest(x, y, child) : S_FALSE;
  });
}

HRESULT LayerAccessible::accDoDefaultAction(VARIANT child) {
  return ui::win32::Guarded([&]() -> HRESULT {
    const LayerLink* link = LinkOf(child);
    if (link == nullptr) return IsSelf(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
    site_->OpenLater(link->click);
    return S_OK;
  });
}

}  // namespace mirella::app
