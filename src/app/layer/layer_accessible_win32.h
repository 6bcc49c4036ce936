#pragma once
// What a screen reader sees of the desktop layer: its links (layer_links.h) as simple children,
// each with its caption for a name, the role of a link and "Перейти" for its default action.
// The layer's window answers WM_GETOBJECT with it and cuts it off when it goes.

#include <windows.h>

#include <vector>

#include "app/layer/layer_links.h"
#include "ui/win32/accessible_object.h"
#include "win32/handles.h"

namespace mirella::app {

// The window's side: the links shown now, where the layout's (0, 0) stands on the screen, and
// opening a link, which the window does after the client's call has returned.
class LayerLinkSite {
 public:
  virtual const std::vector<LayerLink>& Links() const = 0;
  virtual POINT LayoutOrigin() const = 0;
  virtual void OpenLater(const LayerClick& click) = 0;

 protected:
  ~LayerLinkSite() = default;
};

class LayerAccessible : public ui::win32::AccessibleObject {
 public:
  // Takes over the window's standard object for its parent and its own place.
  LayerAccessible(LayerLinkSite& site, IAccessible* standard);
  void Disconnect();

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

 private:
  // The link a child id names, or null (also for CHILDID_SELF and once disconnected).
  const LayerLink* LinkOf(const VARIANT& child) const;
  bool IsSelf(const VARIANT& child) const {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
  }

  LayerLinkSite* site_;
  ComPtr<IAccessible> standard_;
};

}  // namespace mirella::app
