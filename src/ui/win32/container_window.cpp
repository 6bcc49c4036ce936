#include "ui/win32/container_window.h"

#include <windowsx.h>
#include <oleacc.h>

#include "ui/focus_order.h"
#include "ui/win32/container_accessible.h"
#include "ui/win32/windowless.h"
#include "win32/dpi.h"
#include "win32/handles.h"

namespace mirella::ui::win32 {

namespace {
constexpr wchar_t kClassName[] = L"MirellaContainer";
constexpr UINT kClickLater = WM_APP + 10;

// A control's own pointer, or the nearest ancestor's that sets one.
MousePointer EffectivePointer(const Control& control) {
  for (const Control* c = &control; c != nullptr; c = c->parent) {
    if (c->pointer != MousePointer::kDefault) return c->pointer;
  }
  return MousePointer::kDefault;
}
}  // namespace

bool ContainerWindow::Create(HWND parent, DWORD style, DWORD exStyle, const RECT& rect,
                             const wchar_t* title) {
  HINSTANCE instance = site_.Resources().Instance();
  RegisterClassOnce(instance, kClassName, 0, LoadCursorW(nullptr, IDC_ARROW));
  return Window::Create(instance, kClassName, exStyle, style, rect, parent, title);
}

LRESULT ContainerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel from its back buffer
    case WM_PAINT:
      return OnPaint();
    case WM_MOUSEMOVE:
      OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONDOWN:
      OnButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == Handle() && LOWORD(lParam) == HTCLIENT &&
          OnSetCursor()) {
        return TRUE;
      }
      break;
    case WM_COMMAND:
      if (lParam != 0) {
        site_.OnChildCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(Handle(), nullptr, FALSE);  // the focus cue of a windowless child
      return 0;
    case WM_GETOBJECT:
      return OnGetObject(wParam, lParam);
    case kClickLater:
      OnClickLater(lParam);
      return 0;
    case WM_DRAWITEM:
      site_.DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLOREDIT:
      if (HBRUSH brush = site_.ColourTextBox(reinterpret_cast<HDC>(wParam),
                                             reinterpret_cast<HWND>(lParam))) {
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    default:
      if (control_.kind == ControlKind::kForm) return OnTopLevelMessage(message, wParam, lParam);
      break;
  }
  return Default(message, wParam, lParam);
}

LRESULT ContainerWindow::OnTopLevelMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      site_.RaiseTimer(wParam);
      return 0;
    case WM_CLOSE:
      site_.RaiseCloseRequested();
      return 0;
    case WM_ACTIVATE:
      // As a dialog does: the focus goes back where it was, not to the window itself.
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
        site_.RestoreFocus();
        return 0;
      }
      return Default(message, wParam, lParam);
    case WM_DPICHANGED:
      site_.OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

LRESULT ContainerWindow::OnPaint() {
  PaintDc paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  const SIZE size{client.right, client.bottom};
  if (size.cx <= 0 || size.cy <= 0) return 0;
  // Everything is drawn into a back buffer first and copied in one go, so nothing flickers.
  MemoryDc buffer(paint.Get());
  UniqueBitmap bitmap(CreateCompatibleBitmap(paint.Get(), size.cx, size.cy));
  SelectedObject selected(buffer.Get(), bitmap.Get());
  const Control* focusCue = GetFocus() == Handle() ? site_.FocusCueIn(control_) : nullptr;
  PaintContainer(buffer.Get(), control_, size, site_.Dpi(), site_.Resources(), focusCue);
  BitBlt(paint.Get(), 0, 0, size.cx, size.cy, buffer.Get(), 0, 0, SRCCOPY);
  return 0;
}

Control& ContainerWindow::HitControl(POINT point) {
  Control* hit = HitWindowless(control_, point, site_.Dpi());
  return hit != nullptr ? *hit : control_;
}

void ContainerWindow::OnMouseMove(POINT point) { site_.RaiseMouseMove(HitControl(point)); }

// A control that takes the focus takes it from the mouse too, as a push button does.
void ContainerWindow::OnButtonDown(POINT point) {
  Control& hit = HitControl(point);
  pressed_ = &hit;
  if (&hit != &control_ && TakesFocus(hit)) site_.FocusControl(hit);
  SetCapture(Handle());
}

// A click is a press and a release over the same control.
void ContainerWindow::OnButtonUp(POINT point) {
  if (GetCapture() == Handle()) ReleaseCapture();
  Control& hit = HitControl(point);
  const bool sameControl = pressed_ == &hit;
  pressed_ = nullptr;
  if (sameControl) site_.RaiseClick(hit);
}

LRESULT ContainerWindow::OnGetObject(WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT) {
    return Default(WM_GETOBJECT, wParam, lParam);
  }
  return accessible_.Answer(Handle(), wParam, *this);
}

void ContainerWindow::ClickLater(Control& child) {
  PostMessageW(Handle(), kClickLater, 0, reinterpret_cast<LPARAM>(&child));
}

// The control is one of this container's children still, and can still be clicked.
void ContainerWindow::OnClickLater(LPARAM child) {
  for (auto& control : control_.children) {
    if (reinterpret_cast<LPARAM>(control.get()) != child) continue;
    if (control->enabled && control->IsShown()) site_.RaiseClick(*control);
    return;
  }
}

bool ContainerWindow::OnSetCursor() {
  POINT point{};
  GetCursorPos(&point);
  ScreenToClient(Handle(), &point);
  HCURSOR cursor = site_.Resources().Cursor(EffectivePointer(HitControl(point)));
  SetCursor(cursor != nullptr ? cursor : LoadCursorW(nullptr, IDC_ARROW));
  return true;
}

}  // namespace mirella::ui::win32
