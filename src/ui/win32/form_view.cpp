#include "ui/win32/form_view.h"

#include <commctrl.h>
#include <oleacc.h>

#include <set>

#include "ui/control_kinds.h"
#include "ui/win32/graphical_button.h"
#include "ui/win32/named_accessible.h"
#include "ui/win32/twips.h"
#include "ui/win32/windowless.h"
#include "win32/common_controls.h"
#include "win32/wide_text.h"

namespace mirella::ui::win32 {

namespace {

constexpr DWORD kFixedBorderStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kBorderlessStyle = WS_POPUP;
constexpr UINT_PTR kSubclassId = 1;
// Room for the open list of a drop-down combo box below its edit part, at 96 dpi.
constexpr int kDropDownListHeight = 160;

DWORD FormStyle(const Control& form) {
  return (form.border ? kFixedBorderStyle : kBorderlessStyle) | WS_CLIPCHILDREN;
}

// The window rectangle that gives the client size, centred on the primary monitor's work area.
RECT CentredWindowRect(SIZE client, DWORD style, int dpi) {
  RECT rect{0, 0, client.cx, client.cy};
  AdjustWindowRectForDpi(rect, style, 0, dpi);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& area = monitor.rcWork;
  const int left = area.left + (area.right - area.left - width) / 2;
  const int top = area.top + (area.bottom - area.top - height) / 2;
  return RECT{left, top, left + width, top + height};
}

SIZE ClientSize(const Control& form, int dpi) {
  return SIZE{TwipsToPixels(form.bounds.width, dpi), TwipsToPixels(form.bounds.height, dpi)};
}

void CollectTree(Control& control, std::vector<Control*>& out) {
  out.push_back(&control);
  for (auto& child : control.children) CollectTree(*child, out);
}

}  // namespace

FormView::FormView(Control& form, FormEvents& events, EventDispatcher& dispatcher,
                   RenderResources& resources)
    : form_(form), events_(events), dispatcher_(dispatcher), resources_(resources),
      window_(*this, form), keyboard_(form, *this), names_(form, *this) {
  dpi_ = SystemDpi();
  const DWORD style = FormStyle(form);
  window_.Create(nullptr, style, WS_EX_CONTROLPARENT,
                 CentredWindowRect(ClientSize(form, dpi_), style, dpi_), Widen(form.text).c_str());
  if (Handle() == nullptr) return;
  caption_ = form.text;
  // Per-monitor awareness may put the window on a monitor with another DPI than the system's.
  dpi_ = WindowDpi(Handle());
  if (form.border) {
    HINSTANCE instance = resources_.Instance();
    auto loadIcon = [&](int metric) {
      const int size = SystemMetricForDpi(metric, dpi_);
      return reinterpret_cast<LPARAM>(
          LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_SHARED));
    };
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, loadIcon(SM_CXICON));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, loadIcon(SM_CXSMICON));
  }
  Sync();
}

FormView::~FormView() {
  StopTimers();
  for (auto& [control, record] : windows_) ReleaseAccessible(record);
  // Destroying the top-level window destroys every child window while the records still exist.
  if (Handle() != nullptr) DestroyWindow(Handle());
}

HWND FormView::Handle() const { return window_.Handle(); }

HWND FormView::WindowOf(const Control& control) const {
  if (&control == &form_) return Handle();
  auto found = windows_.find(&control);
  return found != windows_.end() ? found->second.handle : nullptr;
}

void FormView::Close() {
  closed_ = true;
  StopTimers();
  if (Handle() != nullptr) ShowWindow(Handle(), SW_HIDE);
}

// ---- events -------------------------------------------------------------------------------

void FormView::Raise(Control& control, void (FormEvents::*event)(Control&)) {
  Control* target = &control;
  dispatcher_.Dispatch(*this, [target, event](FormEvents& events) { (events.*event)(*target); });
}

void FormView::RaiseMouseMove(Control& control) { Raise(control, &FormEvents::MouseMove); }
void FormView::RaiseClick(Control& control) { Raise(control, &FormEvents::Click); }
void FormView::RaiseCloseRequested() { dispatcher_.CloseRequested(*this); }

void FormView::RaiseTimer(UINT_PTR timerId) {
  for (auto& [control, timer] : timers_) {
    if (timer.id == timerId) {
      Raise(*const_cast<Control*>(control), &FormEvents::Timer);
      return;
    }
  }
}

FormView::ControlWindow* FormView::Record(HWND handle) {
  for (auto& [control, record] : windows_) {
    if (record.handle == handle) return &record;
  }
  return nullptr;
}

void FormView::OnChildCommand(HWND child, UINT code) {
  ControlWindow* record = Record(child);
  if (record == nullptr || syncing_) return;  // our own changes are not the user's
  Control& control = *record->control;
  switch (record->kind) {
    case ControlKind::kTextBox:
      if (code == EN_CHANGE) {
        const int length = GetWindowTextLengthW(child);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        GetWindowTextW(child, text.data(), length + 1);
        text.resize(static_cast<size_t>(length));
        control.text = record->text = Narrow(text);
        Raise(control, &FormEvents::Change);
      }
      break;
    case ControlKind::kComboBox:
      if (code == CBN_SELCHANGE) {
        const int selected = static_cast<int>(SendMessageW(child, CB_GETCURSEL, 0, 0));
        control.selectedItem = record->selectedItem = selected;
        if (selected >= 0 && selected < static_cast<int>(control.items.size())) {
          control.text = control.items[static_cast<size_t>(selected)];
        }
        Raise(control, &FormEvents::Click);
      }
      break;
    case ControlKind::kButton:
      if (code == BN_CLICKED) Raise(control, &FormEvents::Click);
      break;
    default:
      break;
  }
}

void FormView::DrawButton(const DRAWITEMSTRUCT& item) {
  if (ControlWindow* record = Record(item.hwndItem)) {
    PaintGraphicalButton(item, *record->control, dpi_, resources_);
  }
}

HBRUSH FormView::ColourTextBox(HDC dc, HWND textBox) {
  ControlWindow* record = Record(textBox);
  if (record == nullptr) return nullptr;
  SetTextColor(dc, record->control->foreColour);
  SetBkColor(dc, record->control->backColour);
  return resources_.Brush(record->control->backColour);
}

void FormView::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  // Everything is placed and sized again at the new DPI.
  for (auto& [control, record] : windows_) {
    record.rect = RECT{-1, -1, -1, -1};
    record.font = nullptr;
  }
  clientSize_ = SIZE{-1, -1};
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Sync();
}

// Mouse movement over a child window is that control's; the pointer follows its own setting.
// A press of the left button in a text box is its Click, raised once the box has taken the
// focus and placed its caret; the focus arriving by the keyboard is no click.
LRESULT CALLBACK FormView::ChildProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
  auto* view = reinterpret_cast<FormView*>(data);
  try {
    switch (message) {
      case WM_LBUTTONDOWN: {
        ControlWindow* record = view->Record(window);
        if (record == nullptr || record->kind != ControlKind::kTextBox) break;
        Control& control = *record->control;
        const LRESULT result =
            LoadCommonControls().defSubclassProc(window, message, wParam, lParam);
        view->RaiseClick(control);
        return result;
      }
      case WM_MOUSEMOVE:
        if (ControlWindow* record = view->Record(window)) view->RaiseMouseMove(*record->control);
        break;
      case WM_SETFOCUS:
        if (ControlWindow* record = view->Record(window)) {
          view->keyboard_.OnFocusArrived(*record->control);
        }
        break;
      case WM_GETOBJECT:
        if (static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT) {
          if (ControlWindow* record = view->Record(window)) {
            if (LRESULT answer = view->AnswerGetObject(*record, wParam)) return answer;
          }
        }
        break;
      case WM_SETCURSOR:
        if (ControlWindow* record = view->Record(window)) {
          if (HCURSOR cursor = view->resources_.Cursor(record->control->pointer)) {
            SetCursor(cursor);
            return TRUE;
          }
        }
        break;
      case WM_NCDESTROY:
        LoadCommonControls().removeWindowSubclass(window, &FormView::ChildProcedure, kSubclassId);
        break;
      default:
        break;
    }
  } catch (...) {
    // Nothing may unwind into the system's code; the message still gets its default handling.
  }
  return LoadCommonControls().defSubclassProc(window, message, wParam, lParam);
}

// ---- tree to windows ----------------------------------------------------------------------

FormView::ControlWindow& FormView::EnsureWindow(Control& control, HWND parent, bool& created) {
  auto found = windows_.find(&control);
  if (found != windows_.end() && found->second.kind == control.kind) return found->second;
  if (found != windows_.end()) {
    ReleaseAccessible(found->second);
    if (found->second.handle != nullptr) DestroyWindow(found->second.handle);
    windows_.erase(found);
  }
  // The text boxes, combo boxes and buttons are the common controls' version 6 classes.
  const CommonControls* common =
      control.kind != ControlKind::kFrame ? &LoadCommonControls() : nullptr;
  created = true;
  ControlWindow& record = windows_[&control];
  record.control = &control;
  record.kind = control.kind;
  const RECT none{0, 0, 0, 0};
  const DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
  HINSTANCE instance = resources_.Instance();
  switch (control.kind) {
    case ControlKind::kFrame:
      record.container = std::make_unique<ContainerWindow>(*this, control);
      record.container->Create(parent, child | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, none, L"");
      record.handle = record.container->Handle();
      break;
    case ControlKind::kTextBox:
      record.handle = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                      child | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0, parent,
                                      nullptr, instance, nullptr);
      break;
    case ControlKind::kComboBox:
      record.handle = CreateWindowExW(0, L"COMBOBOX", L"",
                                      child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0, 0,
                                      0, parent, nullptr, instance, nullptr);
      break;
    case ControlKind::kButton:
      record.handle = CreateWindowExW(0, L"BUTTON", L"", child | WS_TABSTOP | BS_OWNERDRAW, 0, 0,
                                      0, 0, parent, nullptr, instance, nullptr);
      break;
    default:
      break;
  }
  if (record.handle != nullptr && common != nullptr) {
    common->setWindowSubclass(record.handle, &FormView::ChildProcedure, kSubclassId,
                              reinterpret_cast<DWORD_PTR>(this));
  }
  return record;
}

void FormView::SyncWindow(ControlWindow& record, const Control& container) {
  const Control& control = *record.control;
  HWND handle = record.handle;
  if (handle == nullptr) return;
  RECT rect = PixelRectIn(control, container, dpi_);
  if (control.kind == ControlKind::kComboBox) {
    rect.bottom += MulDiv(kDropDownListHeight, dpi_, USER_DEFAULT_SCREEN_DPI);
  }
  if (!EqualRect(&rect, &record.rect)) {
    SetWindowPos(handle, nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    record.rect = rect;
  }
  if (control.kind != ControlKind::kFrame) {
    HFONT font = resources_.Fonts().Get(control.font, dpi_);
    if (font != record.font) {
      SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
      record.font = font;
    }
  }
  bool repaint = false;
  if (control.text != record.text) {
    if (control.kind == ControlKind::kTextBox || control.kind == ControlKind::kButton) {
      SetWindowTextW(handle, Widen(control.text).c_str());
    }
    record.text = control.text;
    repaint = true;
  }
  if (control.foreColour != record.foreColour || control.backColour != record.backColour) {
    record.foreColour = control.foreColour;
    record.backColour = control.backColour;
    repaint = true;
  }
  if (control.kind == ControlKind::kComboBox) SyncItems(record);
  if (control.kind == ControlKind::kButton) SyncTooltip(record);
  if (repaint && control.kind != ControlKind::kFrame) InvalidateRect(handle, nullptr, TRUE);
  if (static_cast<int>(control.enabled) != record.enabled) {
    EnableWindow(handle, control.enabled);
    record.enabled = control.enabled;
  }
  if (static_cast<int>(control.visible) != record.visible) {
    ShowWindow(handle, control.visible ? SW_SHOWNA : SW_HIDE);
    record.visible = control.visible;
  }
}

void FormView::SyncItems(ControlWindow& record) {
  const Control& control = *record.control;
  if (control.items != record.items) {
    SendMessageW(record.handle, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : control.items) {
      SendMessageW(record.handle, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(Widen(item).c_str()));
    }
    record.items = control.items;
    record.selectedItem = -2;
  }
  if (control.selectedItem != record.selectedItem) {
    SendMessageW(record.handle, CB_SETCURSEL, static_cast<WPARAM>(control.selectedItem), 0);
    record.selectedItem = control.selectedItem;
  }
}

void FormView::SyncTooltip(ControlWindow& record) {
  const Control& control = *record.control;
  if (control.tooltip == record.tooltip) return;
  if (tooltip_ == nullptr) {
    LoadCommonControls();
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               Handle(), nullptr, resources_.Instance(), nullptr);
  }
  std::wstring text = Widen(control.tooltip);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(record.handle);
  tool.uId = reinterpret_cast<UINT_PTR>(record.handle);
  tool.lpszText = text.data();
  if (record.tooltip.empty()) {
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  } else if (control.tooltip.empty()) {
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  record.tooltip = control.tooltip;
}

// children[0] is on top: each windowed child goes just below the one listed before it.
void FormView::RestackChildren(Control& container) {
  HWND above = HWND_TOP;
  for (auto& child : container.children) {
    auto found = windows_.find(child.get());
    if (found == windows_.end() || found->second.handle == nullptr) continue;
    SetWindowPos(found->second.handle, above, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = found->second.handle;
  }
}

void FormView::SyncForm() {
  HWND handle = Handle();
  const SIZE size = ClientSize(form_, dpi_);
  if (size.cx != clientSize_.cx || size.cy != clientSize_.cy) {
    RECT window{0, 0, size.cx, size.cy};
    AdjustWindowRectForDpi(window, static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_EXSTYLE)), dpi_);
    SetWindowPos(handle, nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    clientSize_ = size;
  }
  if (form_.text != caption_) {
    SetWindowTextW(handle, Widen(form_.text).c_str());
    caption_ = form_.text;
  }
  const int shown = loaded_ && form_.visible ? 1 : 0;
  if (shown != shown_) {
    ShowWindow(handle, shown != 0 ? SW_SHOW : SW_HIDE);
    shown_ = shown;
  }
}

// A timer ticks while it is enabled with a positive interval; enabling it again restarts it.
void FormView::SyncTimers(const std::vector<Control*>& timers) {
  std::set<const Control*> wanted;
  for (Control* timer : timers) {
    if (!timer->enabled || timer->interval <= 0) continue;
    wanted.insert(timer);
    auto found = timers_.find(timer);
    if (found != timers_.end() && found->second.interval == timer->interval) continue;
    const UINT_PTR id = found != timers_.end() ? found->second.id : nextTimerId_++;
    SetTimer(Handle(), id, static_cast<UINT>(timer->interval), nullptr);
    timers_[timer] = RunningTimer{id, timer->interval};
  }
  for (auto it = timers_.begin(); it != timers_.end();) {
    if (wanted.count(it->first) == 0) {
      KillTimer(Handle(), it->second.id);
      it = timers_.erase(it);
    } else {
      ++it;
    }
  }
}

void FormView::StopTimers() {
  for (auto& [control, timer] : timers_) KillTimer(Handle(), timer.id);
  timers_.clear();
}

void FormView::Sync() {
  if (Handle() == nullptr || closed_) return;
  syncing_ = true;
  std::vector<Control*> tree;
  CollectTree(form_, tree);
  std::set<const Control*> live(tree.begin(), tree.end());

  // Windows of controls that left the tree go first (a child's before its container's).
  for (auto it = windows_.begin(); it != windows_.end();) {
    if (live.count(it->first) == 0) {
      ReleaseAccessible(it->second);
      if (it->second.container) {
        it->second.container.reset();
      } else if (IsWindow(it->second.handle)) {
        DestroyWindow(it->second.handle);
      }
      it = windows_.erase(it);
    } else {
      ++it;
    }
  }

  std::vector<Control*> timers;
  std::set<Control*> restack;
  for (Control* control : tree) {
    if (control->kind == ControlKind::kTimer) timers.push_back(control);
    if (control->kind == ControlKind::kProgress && control->progress &&
        (control->progress->Width() != control->bounds.width ||
         control->progress->Height() != control->bounds.height)) {
      control->progress->Resize(control->bounds.width, control->bounds.height);
    }
    if (control == &form_ || !IsWindowed(control->kind)) continue;
    Control* container = ContainerOf(*control);
    HWND parent = container != nullptr ? WindowOf(*container) : nullptr;
    if (parent == nullptr) continue;  // windowed controls live in forms and frames
    bool created = false;
    ControlWindow& record = EnsureWindow(*control, parent, created);
    if (created) restack.insert(container);
    SyncWindow(record, *container);
  }
  for (Control* container : restack) RestackChildren(*container);
  SyncTimers(timers);
  SyncForm();
  names_.AfterSync(tree, live);
  syncing_ = false;
  if (loaded_) keyboard_.FollowTree();

  // Windowless controls may have changed anywhere: every container paints again.
  InvalidateRect(Handle(), nullptr, FALSE);
  for (auto& [control, record] : windows_) {
    if (record.container) InvalidateRect(record.handle, nullptr, FALSE);
  }
}

// ---- assistive technology and the keyboard -----------------------------------------------

void FormView::ReleaseAccessible(ControlWindow& record) {
  if (record.accessible == nullptr) return;
  record.accessible->Disconnect();
  record.accessible->Release();
  record.accessible = nullptr;
}

// A control named by the tree, or a push button (whose default action is ours), answers with
// its own object; the others keep the system's.
LRESULT FormView::AnswerGetObject(ControlWindow& record, WPARAM wParam) {
  const Control& control = *record.control;
  if (control.accessibleName.empty() && control.kind != ControlKind::kButton) return 0;
  if (record.accessible == nullptr) {
    IAccessible* standard = nullptr;
    CreateStdAccessibleObject(record.handle, OBJID_CLIENT, __uuidof(IAccessible),
                              reinterpret_cast<void**>(&standard));
    record.accessible = new NamedAccessible(control, record.handle, standard);
  }
  return LresultFromObject(__uuidof(IAccessible), wParam, record.accessible);
}

bool FormView::TranslateKey(const MSG& message) {
  if (closed_ || !loaded_) return false;
  return keyboard_.TranslateKey(message);
}

}  // namespace mirella::ui::win32
