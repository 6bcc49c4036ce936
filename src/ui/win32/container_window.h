#pragma once
// The window of a form or a frame: it paints its back colour, picture and windowless children
// double-buffered, hit-tests them for the mouse and passes its child windows' notifications on.

#include "ui/control.h"
#include "ui/win32/accessible_object.h"
#include "ui/win32/container_accessible.h"
#include "ui/win32/container_site.h"
#include "win32/window.h"

namespace mirella::ui::win32 {

class ContainerWindow : public Window {
 public:
  ContainerWindow(ContainerSite& site, Control& control) : site_(site), control_(control) {}

  bool Create(HWND parent, DWORD style, DWORD exStyle, const RECT& rect, const wchar_t* title);
  Control& Target() { return control_; }
  ContainerSite& Site() { return site_; }
  // Clicks a windowless child once the current message has been handled.
  void ClickLater(Control& child);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT OnPaint();
  Control& HitControl(POINT point);
  void OnMouseMove(POINT point);
  void OnButtonDown(POINT point);
  void OnButtonUp(POINT point);
  bool OnSetCursor();
  LRESULT OnTopLevelMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
  void OnClickLater(LPARAM child);

  ContainerSite& site_;
  Control& control_;
  // The control the left button went down on; compared, never dereferenced.
  const Control* pressed_ = nullptr;
  // Made on the first request of assistive technology; cut off when the window goes.
  ClientAccessible<ContainerAccessible> accessible_;
};

}  // namespace mirella::ui::win32
