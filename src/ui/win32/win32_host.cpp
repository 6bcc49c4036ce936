#include "ui/win32/win32_host.h"


#include <algorithm>
#include <exception>

#include "ui/win32/form_view.h"
#include "ui/win32/input_box.h"
#include "ui/win32/render_resources.h"
#include "ui/win32/twips.h"
#include "win32/common_controls.h"
#include "win32/shell_functions.h"
#include "win32/wide_text.h"
#include "win32/window.h"

namespace mirella::ui::win32 {

namespace {
constexpr wchar_t kMessageClassName[] = L"MirellaHostMessages";
constexpr UINT kReleaseClosedForms = WM_APP + 1;
constexpr UINT_PTR kAfterFirstPaintTimer = 1;
constexpr wchar_t kDefaultTitle[] = L"Mirella";
}  // namespace

// A message-only window that releases closed forms once their handlers have all returned.
class HostMessageWindow : public Window {
 public:
  explicit HostMessageWindow(Win32Host& host) : host_(host) {
    RegisterClassOnce(host.instance_, kMessageClassName, 0, nullptr);
    Create(host.instance_, kMessageClassName, 0, 0, RECT{}, HWND_MESSAGE);
  }
  void PostRelease() { PostMessageW(Handle(), kReleaseClosedForms, 0, 0); }
  // A timer rather than a posted message: a painted window may reach the screen only when its
  // thread next waits for messages (so under Wine), and a posted message is handled before that.
  void StartAfterFirstPaint() {
    SetTimer(Handle(), kAfterFirstPaintTimer, USER_TIMER_MINIMUM, nullptr);
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kReleaseClosedForms) {
      host_.ReleaseClosedForms();
      return 0;
    }
    if (message == WM_TIMER && wParam == kAfterFirstPaintTimer) {
      KillTimer(Handle(), kAfterFirstPaintTimer);
      host_.PrepareWhileFirstFormShows();
      return 0;
    }
    return Default(message, wParam, lParam);
  }

 private:
  Win32Host& host_;
};

Win32Host::Win32Host(HINSTANCE instance) : instance_(instance) {
  resources_ = std::make_unique<RenderResources>(instance);
  messages_ = std::make_unique<HostMessageWindow>(*this);
}

Win32Host::~Win32Host() {
  forms_.clear();
  closed_.clear();
}

int Win32Host::RunMessageLoop() {
  MSG message{};
  BOOL got = 0;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    // The keyboard moves the focus and clicks as in a dialog (FormView::TranslateKey).
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    auto view = std::find_if(forms_.begin(), forms_.end(),
                             [root](const auto& form) { return form->Handle() == root; });
    bool handled = false;
    try {
      handled = root != nullptr && view != forms_.end() && (*view)->TranslateKey(message);
    } catch (...) {
      handled = false;  // the key then goes its ordinary way
    }
    if (handled) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

HWND Win32Host::WindowOf(const Control& control) const {
  for (const auto& view : forms_) {
    if (HWND window = view->WindowOf(control)) return window;
  }
  return nullptr;
}

Control* Win32Host::KeyboardFocus(const Control& form) const {
  FormView* view = OpenView(form);
  return view != nullptr ? view->KeyboardFocus() : nullptr;
}

FormView* Win32Host::OpenView(const Control& form) const {
  for (const auto& view : forms_) {
    if (&view->Form() == &form) return view.get();
  }
  return nullptr;
}

// Boxes belong to the active form, or else to the form shown last.
HWND Win32Host::OwnerWindow() const {
  HWND active = GetActiveWindow();
  for (const auto& view : forms_) {
    if (view->Handle() == active) return active;
  }
  return forms_.empty() ? nullptr : forms_.back()->Handle();
}

// ---- events -------------------------------------------------------------------------------

void Win32Host::Dispatch(FormView& origin, const std::function<void(FormEvents&)>& handler) {
  if (quitting_ || origin.IsClosed() || reportingError_) return;
  ++depth_;
  try {
    handler(origin.Events());
  } catch (const std::exception& error) {
    ReportError(error.what());
  } catch (...) {
    ReportError(nullptr);
  }
  --depth_;
  SyncAll();
  // A form closed by a handler is released once the outermost handler has returned.
  if (depth_ == 0 && !closed_.empty()) messages_->PostRelease();
}

void Win32Host::CloseRequested(FormView& origin) {
  Control& form = origin.Form();
  Dispatch(origin, [&form](FormEvents& events) { events.Closed(form); });
  // Closing is the user's decision; the handler only learns of it.
  if (!quitting_ && !origin.IsClosed()) CloseForm(form);
}

void Win32Host::SyncAll() {
  if (quitting_) return;
  for (size_t i = 0; i < forms_.size(); ++i) {
    try {
      forms_[i]->Sync();
    } catch (const std::exception& error) {
      ReportError(error.what());
    }
  }
}

// The boundary for a handler that failed: the user learns of it and can go on.
void Win32Host::ReportError(const char* what) {
  std::wstring text = L"Произошла непредвиденная ошибка.";
  if (what != nullptr && *what != '\0') text += L"\n\n" + Widen(what);
  reportingError_ = true;  // events wait until the box is closed, so that failures do not pile up
  MessageBoxW(OwnerWindow(), text.c_str(), kDefaultTitle, MB_OK | MB_ICONERROR);
  reportingError_ = false;
}

void Win32Host::ReleaseClosedForms() {
  if (depth_ != 0) return;  // Dispatch posts again when the outermost handler returns
  closed_.clear();
  // Like a classic form program, the program ends when its last form has closed.
  if (forms_.empty() && !quitting_) Quit();
}

// ---- host services ------------------------------------------------------------------------

void Win32Host::ShowForm(Control& form, FormEvents& events) {
  if (quitting_) return;
  if (FormView* open = OpenView(form)) {
    form.visible = true;
    open->Sync();
    SetForegroundWindow(open->Handle());
    return;
  }
  EventDispatcher& dispatcher = *this;
  forms_.push_back(std::make_unique<FormView>(form, events, dispatcher, *resources_));
  FormView& view = *forms_.back();
  Dispatch(view, [&form](FormEvents& handlers) { handlers.Load(form); });
  if (quitting_ || view.IsClosed()) return;
  form.visible = true;
  view.SetLoaded();
  view.Sync();
  UpdateWindow(view.Handle());
  if (!firstFormShown_) {
    firstFormShown_ = true;
    messages_->StartAfterFirstPaint();
  }
}

// Once the first form is on the screen, what the later forms need is loaded while it shows.
void Win32Host::PrepareWhileFirstFormShows() {
  try {
    LoadCommonControls();
  } catch (const std::exception&) {
    // The form that needs them reports it.
  }
}

void Win32Host::CloseForm(Control& form) {
  auto found = std::find_if(forms_.begin(), forms_.end(),
                            [&form](const auto& view) { return &view->Form() == &form; });
  if (found == forms_.end()) return;
  (*found)->Close();
  closed_.push_back(std::move(*found));
  forms_.erase(found);
  if (depth_ == 0) messages_->PostRelease();
}

void Win32Host::Quit() {
  if (quitting_) return;
  quitting_ = true;
  PostQuitMessage(0);
}

MessageAnswer Win32Host::ShowMessage(const std::string& text, MessageIcon icon,
                                     MessageButtons buttons, const std::string& title) {
  SyncAll();  // the box is modal: show what the handler has changed before it waits
  UINT flags = buttons == MessageButtons::kYesNo ? MB_YESNO : MB_OK;
  switch (icon) {
    case MessageIcon::kInformation:
      flags |= MB_ICONINFORMATION;
      break;
    case MessageIcon::kQuestion:
      flags |= MB_ICONQUESTION;
      break;
    case MessageIcon::kExclamation:
      flags |= MB_ICONEXCLAMATION;
      break;
    case MessageIcon::kCritical:
      flags |= MB_ICONERROR;
      break;
    case MessageIcon::kNone:
      break;
  }
  const std::wstring caption = title.empty() ? std::wstring(kDefaultTitle) : Widen(title);
  switch (MessageBoxW(OwnerWindow(), Widen(text).c_str(), caption.c_str(), flags)) {
    case IDYES:
      return MessageAnswer::kYes;
    case IDNO:
      return MessageAnswer::kNo;
    default:
      return MessageAnswer::kOk;
  }
}

std::optional<std::string> Win32Host::InputBox(const std::string& prompt,
                                               const std::string& title,
                                               const std::string& initialText) {
  SyncAll();  // the box is modal: show what the handler has changed before it waits
  const std::wstring caption = title.empty() ? std::wstring(kDefaultTitle) : Widen(title);
  auto answer =
      RunInputBox(instance_, OwnerWindow(), Widen(prompt), caption, Widen(initialText));
  if (!answer) return std::nullopt;
  return Narrow(*answer);
}

int Win32Host::PopupMenu(const Control& form, const std::vector<MenuItem>& items, int xTwips,
                         int yTwips) {
  FormView* view = OpenView(form);
  if (view == nullptr || items.empty()) return -1;
  UniqueMenu menu(CreatePopupMenu());
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].separator) {
      AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu.Get(), MF_STRING, i + 1, Widen(items[i].caption).c_str());
    }
  }
  POINT point{TwipsToPixels(xTwips, view->Dpi()), TwipsToPixels(yTwips, view->Dpi())};
  ClientToScreen(view->Handle(), &point);
  // The menu's modal loop runs inside the handler that opened it, so what that handler has
  // changed so far (the highlight moved to the entry, say) is shown before the menu opens.
  SyncAll();
  // The menu's owner must be in the foreground for the menu to close when the user clicks away.
  SetForegroundWindow(view->Handle());
  const int chosen = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN |
                                                     TPM_LEFTBUTTON | TPM_NONOTIFY,
                                    point.x, point.y, 0, view->Handle(), nullptr);
  PostMessageW(view->Handle(), WM_NULL, 0, 0);
  return chosen > 0 ? chosen - 1 : -1;
}

void Win32Host::ShellOpen(const std::string& target) {
  if (const auto shellExecute = Shell().shellExecute) {
    shellExecute(OwnerWindow(), L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
}

}  // namespace mirella::ui::win32
