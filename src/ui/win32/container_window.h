#pragma once
// The window of a form or a frame: it paints its back colour, picture and windowless children
// double-buffered, hit-tests them for the mouse and passes its child windows' notifications on.

#include "ui/control.h"
#include "ui/win32/window.h"

namespace mirella::ui::win32 {

class FormView;

class ContainerWindow : public Window {
 public:
  ContainerWindow(FormView& view, Control& control) : view_(view), control_(control) {}

  bool Create(HWND parent, DWORD style, DWORD exStyle, const RECT& rect, const wchar_t* title);
  Control& Target() { return control_; }

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

  FormView& view_;
  Control& control_;
  // The control the left button went down on; compared, never dereferenced.
  const Control* pressed_ = nullptr;
};

}  // namespace mirella::ui::win32
