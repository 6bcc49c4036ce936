#pragma once
// Base of our own window classes: the static window procedure finds the object through the
// pointer stored at WM_NCCREATE and forwards every message to HandleMessage.

#include <windows.h>

namespace mirella::ui::win32 {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  // Destroys the window if it still exists.
  virtual ~Window();

  HWND Handle() const { return handle_; }

 protected:
  // Registers the class once per process, with this base's procedure.
  static void RegisterClassOnce(HINSTANCE instance, const wchar_t* className, UINT style,
                                HCURSOR cursor);
  bool Create(HINSTANCE instance, const wchar_t* className, DWORD exStyle, DWORD style,
              const RECT& rect, HWND parent, const wchar_t* title = L"");
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND handle_ = nullptr;
};

}  // namespace mirella::ui::win32
