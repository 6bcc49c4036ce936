#pragma once
// What assistive technology sees of a form or frame: its windowless controls, which it paints
// itself, as simple elements with a name, a role, a state and a default action, and its child
// windows as their own accessible objects. The container window answers WM_GETOBJECT with it.

#include "ui/control.h"
#include "ui/win32/accessible_object.h"
#include "win32/handles.h"

namespace mirella::ui::win32 {

class ContainerWindow;

// The child id of a control in its container's exposed children (ExposedChildren): id n names
// the child at n - 1; CHILDID_SELF for none.
LONG ChildIdOf(Control& container, const Control& control);

class ContainerAccessible : public AccessibleObject {
 public:
  // Takes over the standard object of the window for what it knows better: the parent, the window's
  // own place and state.
  ContainerAccessible(ContainerWindow& window, IAccessible* standard);
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
  enum class Target { kSelf, kElement, kWindow, kInvalid };
  struct Resolved {
    Target target = Target::kInvalid;
    Control* control = nullptr;
  };
  // What a child id names; kInvalid also when the window is gone.
  Resolved Resolve(const VARIANT& child);
  // The variant a client gets for a child: its window's object, or its id.
  HRESULT ReturnChild(Control& control, VARIANT* out);

  ContainerWindow* window_;
  ComPtr<IAccessible> standard_;
};

}  // namespace mirella::ui::win32
