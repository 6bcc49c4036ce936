#include "ui/win32/input_box.h"

#include "ui/win32/twips.h"
#include "win32/handles.h"
#include "win32/window.h"

namespace mirella::ui::win32 {

namespace {

constexpr wchar_t kClassName[] = L"MirellaInputBox";
// Layout at 96 dpi, scaled to the window's DPI.
constexpr SIZE kClientSize{360, 130};
constexpr RECT kPrompt{10, 10, 270, 85};
constexpr RECT kOkButton{280, 10, 350, 34};
constexpr RECT kCancelButton{280, 40, 350, 64};
constexpr RECT kInput{10, 96, 350, 118};

class InputBoxWindow : public Window {
 public:
  std::optional<std::wstring> Run(HINSTANCE instance, HWND owner, const std::wstring& prompt,
                                  const std::wstring& title, const std::wstring& initialText);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND AddChild(HINSTANCE instance, const wchar_t* className, const wchar_t* text, DWORD style,
                DWORD exStyle, RECT rect, int id);
  void Finish(bool accepted);

  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  HWND input_ = nullptr;
  UniqueFont font_;
  bool done_ = false;
  std::optional<std::wstring> result_;
};

HWND InputBoxWindow::AddChild(HINSTANCE instance, const wchar_t* className, const wchar_t* text,
                              DWORD style, DWORD exStyle, RECT rect, int id) {
  auto scale = [this](LONG value) { return MulDiv(value, dpi_, USER_DEFAULT_SCREEN_DPI); };
  HWND child = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style,
                               scale(rect.left), scale(rect.top), scale(rect.right - rect.left),
                               scale(rect.bottom - rect.top), Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                               nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  return child;
}

std::optional<std::wstring> InputBoxWindow::Run(HINSTANCE instance, HWND owner,
                                                const std::wstring& prompt,
                                                const std::wstring& title,
                                                const std::wstring& initialText) {
  RegisterClassOnce(instance, kClassName, 0, LoadCursorW(nullptr, IDC_ARROW));
  dpi_ = WindowDpi(owner);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT rect{0, 0, MulDiv(kClientSize.cx, dpi_, USER_DEFAULT_SCREEN_DPI),
            MulDiv(kClientSize.cy, dpi_, USER_DEFAULT_SCREEN_DPI)};
  AdjustWindowRectForDpi(rect, style, exStyle, dpi_);
  // Centred over the owner, or on the screen without one.
  RECT area{};
  if (owner == nullptr || !GetWindowRect(owner, &area)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int left = area.left + (area.right - area.left - width) / 2;
  const int top = area.top + (area.bottom - area.top - height) / 2;
  if (!Create(instance, kClassName, exStyle, style, RECT{left, top, left + width, top + height},
              owner, title.c_str())) {
    return std::nullopt;
  }

  const NONCLIENTMETRICSW metrics = NonClientMetricsForDpi(dpi_);
  font_.Reset(CreateFontIndirectW(&metrics.lfMessageFont));
  AddChild(instance, L"STATIC", prompt.c_str(), SS_LEFT | SS_NOPREFIX, 0, kPrompt, -1);
  AddChild(instance, L"BUTTON", L"ОК", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, kOkButton, IDOK);
  AddChild(instance, L"BUTTON", L"Отмена", WS_TABSTOP | BS_PUSHBUTTON, 0, kCancelButton, IDCANCEL);
  input_ = AddChild(instance, L"EDIT", initialText.c_str(), WS_TABSTOP | ES_AUTOHSCROLL,
                    WS_EX_CLIENTEDGE, kInput, 100);
  SendMessageW(input_, EM_SETSEL, 0, -1);

  // Modal to the owner: it takes no input until the box closes.
  const bool ownerWasEnabled = owner != nullptr && !EnableWindow(owner, FALSE);
  ShowWindow(Handle(), SW_SHOW);
  SetFocus(input_);
  MSG message{};
  while (!done_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // the program is ending: pass it on
      break;
    }
    if (got == -1) break;
    if (!IsDialogMessageW(Handle(), &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (ownerWasEnabled) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
  if (Handle() != nullptr) DestroyWindow(Handle());
  return result_;
}

void InputBoxWindow::Finish(bool accepted) {
  if (accepted) {
    const int length = GetWindowTextLengthW(input_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(input_, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    result_ = std::move(text);
  }
  done_ = true;
}

LRESULT InputBoxWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        Finish(LOWORD(wParam) == IDOK);
        return 0;
      }
      break;
    case WM_CLOSE:
      Finish(false);
      return 0;
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace

std::optional<std::wstring> RunInputBox(HINSTANCE instance, HWND owner, const std::wstring& prompt,
                                        const std::wstring& title, const std::wstring& initialText) {
  InputBoxWindow box;
  return box.Run(instance, owner, prompt, title, initialText);
}

}  // namespace mirella::ui::win32
