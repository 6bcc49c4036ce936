#pragma once
// What the windows of a form's containers (the form's own and its frames') and their accessible
// objects need of the form they sit in: its resources and DPI, the windows of its controls, the
// keyboard focus, and where their notifications go. The form's view implements it.

#include <windows.h>

#include "ui/control.h"
#include "ui/win32/render_resources.h"

namespace mirella::ui::win32 {

class ContainerSite {
 public:
  virtual RenderResources& Resources() = 0;
  virtual int Dpi() const = 0;
  // The window of a windowed control of the form (the form's own for the form), or null.
  virtual HWND WindowOf(const Control& control) const = 0;

  // The control that holds the keyboard focus, null for the form itself.
  virtual Control* KeyboardFocus() const = 0;
  // Gives the control the focus, as a click or assistive technology may; false when it takes none.
  virtual bool FocusControl(Control& control) = 0;
  // The windowless child of `container` that shows the focus cue, or null.
  virtual const Control* FocusCueIn(const Control& container) const = 0;
  // The form became active: the focus goes back to the control that had it.
  virtual void RestoreFocus() = 0;

  virtual void RaiseMouseMove(Control& control) = 0;
  virtual void RaiseClick(Control& control) = 0;
  virtual void RaiseTimer(UINT_PTR timerId) = 0;
  virtual void RaiseCloseRequested() = 0;
  virtual void OnChildCommand(HWND child, UINT code) = 0;
  virtual void OnDpiChanged(int dpi, const RECT& suggested) = 0;
  virtual void DrawButton(const DRAWITEMSTRUCT& item) = 0;
  // The brush a text box is painted with, its colours set on `dc`; null for the default.
  virtual HBRUSH ColourTextBox(HDC dc, HWND textBox) = 0;

 protected:
  ~ContainerSite() = default;
};

}  // namespace mirella::ui::win32
