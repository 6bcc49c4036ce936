#include "app/layer/desktop_layer_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/layer/layer_placement.h"
#include "app/layer/layer_pointer.h"
#include "app/screen_desktop_picture_win32.h"
#include "content/links.h"
#include "content/maker_site.h"
#include "generate/desktop_script.h"
#include "generate/desktop_script_reader.h"
#include "render/desktop_layout.h"
#include "render/desktop_renderer_win32.h"
#include "system/desktop_layer_names_win32.h"
#include "win32/dpi.h"
#include "win32/handles.h"
#include "win32/newer_functions.h"
#include "win32/shell_functions.h"
#include "win32/system_exports.h"
#include "win32/wide_text.h"
#include "win32/window.h"

namespace mirella::app {
namespace {

constexpr COLORREF kHoverColour = RGB(0, 0, 255);  // the page's a:hover, #0000FF
constexpr UINT_PTR kReloadTimer = 1;
// desktop.js is written in a few steps: it is read once the folder has been quiet this long.
constexpr UINT kReloadDelay = 300;
// Posted by the foreground hook with the new foreground window.
constexpr UINT kForegroundChanged = WM_APP + 1;
// dwmapi's attribute that keeps a window shown while Aero Peek shows the desktop (Windows 7).
constexpr DWORD kDwmExcludedFromPeek = 12;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// The shell's windows by their classes: the desktop that "show desktop" raises, and the taskbar
// with its menus, which leave the desktop shown.
WindowRole RoleOf(HWND window, HWND layer) {
  if (window == layer) return WindowRole::kLayer;
  const std::wstring name = ClassOf(window);
  if (name == L"Progman" || name == L"WorkerW") return WindowRole::kDesktop;
  if (name == L"Shell_TrayWnd" || name == L"Shell_SecondaryTrayWnd" ||
      name == L"NotifyIconOverflowWindow" || name == L"DV2ControlHost" ||
      name == L"#32768") {
    return WindowRole::kTaskbar;
  }
  return WindowRole::kApplication;
}

struct ZOrderWalk {
  HWND layer;
  std::vector<WindowRole> roles;
};

BOOL CALLBACK AddVisibleWindow(HWND window, LPARAM context) {
  auto& walk = *reinterpret_cast<ZOrderWalk*>(context);
  try {  // no exception may unwind through the system's code that called us
    if (IsWindowVisible(window)) walk.roles.push_back(RoleOf(window, walk.layer));
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

// The roles of the visible top-level windows, from the top down.
std::vector<WindowRole> VisibleZOrder(HWND layer) {
  ZOrderWalk walk{layer, {}};
  EnumWindows(AddVisibleWindow, reinterpret_cast<LPARAM>(&walk));
  return walk.roles;
}

// Out-of-context win events come through the message loop of the thread that asked for them,
// without any context of ours: the layer's window is found by its class.
void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
  if (const HWND layer = FindWindowW(kDesktopLayerClass, nullptr)) {
    PostMessageW(layer, kForegroundChanged, reinterpret_cast<WPARAM>(window), 0);
  }
}

// The primary monitor's work area as its monitor reports it now: a process's SPI_GETWORKAREA
// may still give the area from before a change of resolution.
RECT PrimaryWorkArea() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  RECT area{};
  if (GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    area = monitor.rcWork;
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  if (area.right <= area.left || area.bottom <= area.top) {
    area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return area;
}

class DesktopLayerWindow : public ui::win32::Window {
 public:
  enum class Load { kShown, kUnchanged, kMissing, kUnreadable };

  explicit DesktopLayerWindow(const LayerServices& services)
      : services_(services),
        programFolder_(services.environment.ProgramFolder()),
        reloadMessage_(RegisterWindowMessageW(kDesktopLayerReloadMessage)),
        endMessage_(RegisterWindowMessageW(kDesktopLayerEndMessage)),
        taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")) {}

  // Makes the window (hidden), draws the desktop into it and shows it at the bottom. False when
  // there is nothing to show.
  bool Open(HINSTANCE instance) {
    RegisterClassOnce(instance, kDesktopLayerClass, 0, LoadCursorW(nullptr, IDC_ARROW));
    const RECT area = PrimaryWorkArea();
    if (!Create(instance, kDesktopLayerClass, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP, area,
                nullptr)) {
      return false;
    }
    dpi_ = ui::win32::WindowDpi(Handle());
    if (Reload(true) != Load::kShown) return false;
    if (const auto setAttribute = ExportAs<HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD)>(
            FindSystemExport(L"dwmapi.dll", "DwmSetWindowAttribute"))) {
      const BOOL excluded = TRUE;
      setAttribute(Handle(), kDwmExcludedFromPeek, &excluded, sizeof excluded);
    }
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    PlaceAtBottom();
    foregroundHook_.Reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                          ForegroundChanged, 0, 0,
                                          WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
    return true;
  }

  // A change in the program folder: desktop.js is read again once the writing is over.
  void FolderChanged() { SetTimer(Handle(), kReloadTimer, kReloadDelay, nullptr); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == reloadMessage_) {
      Reload(true);
      return 0;
    }
    if (message == endMessage_) {
      DestroyWindow(Handle());
      return 0;
    }
    if (message == taskbarCreatedMessage_) {
      // Explorer started again: the work area may be another, and the layer goes back down.
      Reload(true);
      PlaceAtBottom();
      return 0;
    }
    switch (message) {
      case WM_PAINT: Paint(); return 0;
      case WM_ERASEBKGND: return 1;
      case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
      case WM_WINDOWPOSCHANGING: {
        auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
        if (placement_.HoldsAtBottom() && (position->flags & SWP_NOZORDER) == 0) {
          position->hwndInsertAfter = HWND_BOTTOM;
        }
        return 0;
      }
      case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT) break;
        SetCursor(
            LoadCursorW(nullptr, CursorHere() == LayerCursor::kHand ? IDC_HAND : IDC_ARROW));
        return TRUE;
      case WM_MOUSEMOVE:
      case WM_MOUSELEAVE:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP: PointerMessage(message, lParam); return 0;
      case WM_TIMER:
        if (wParam != kReloadTimer) break;
        KillTimer(Handle(), kReloadTimer);
        // A desktop.js taken away means the program is gone; one half written is read again
        // at the next change.
        if (Reload(false) == Load::kMissing) DestroyWindow(Handle());
        return 0;
      case WM_DISPLAYCHANGE: Reload(true); return 0;
      case WM_DPICHANGED:
        // The new DPI comes with the message; the layer keeps to the work area, whatever size
        // the system suggests.
        dpi_ = HIWORD(wParam) != 0 ? HIWORD(wParam) : ui::win32::WindowDpi(Handle());
        Reload(true);
        return 0;
      case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA) Reload(true);
        break;
      case kForegroundChanged: Follow(reinterpret_cast<HWND>(wParam)); return 0;
      case WM_DESTROY: PostQuitMessage(0); return 0;
      default: break;
    }
    return Default(message, wParam, lParam);
  }

 private:
  // Reads desktop.js and draws it at the work area's size and the window's DPI (dpi_). `force`
  // draws even when the file has not changed (the display has).
  Load Reload(bool force) {
    const std::string scriptPath = DesktopScriptPath(programFolder_);
    if (!services_.files.FileExists(scriptPath)) return Load::kMissing;
    const Result<std::string> bytes = services_.files.ReadFile(scriptPath);
    if (!bytes) return Load::kUnreadable;
    if (!force && bytes.value() == scriptBytes_) return Load::kUnchanged;
    Result<DesktopContent> content = ReadDesktopScript(bytes.value(), services_.codePage);
    if (!content) return Load::kUnreadable;

    const RECT area = PrimaryWorkArea();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const int dpi = dpi_;
    // No picture of the whole desktop is kept: the layout, the scaled pictures and the fonts
    // draw whatever part of it is to be shown, when it is (Paint).
    auto shown = std::make_unique<Shown>();
    shown->renderer = std::make_unique<render::DesktopRenderer>(dpi / 96.0);
    shown->layout = shown->renderer->LayOut(content.value(), width, height);
    shown->painting =
        PrepareDesktopPainting(*shown->renderer, shown->layout, programFolder_, services_.files);
    if (!shown->painting) return Load::kUnreadable;
    shown_ = std::move(shown);
    pointer_.Show(&shown_->layout);
    content_ = std::move(content).value();
    scriptBytes_ = bytes.value();
    SetWindowPos(Handle(), nullptr, area.left, area.top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, FALSE);
    return Load::kShown;
  }

  void PlaceAtBottom() {
    SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  // "Show desktop" and back, as LayerPlacement decides.
  void Follow(HWND foreground) {
    if (foreground == nullptr) return;
    const std::vector<WindowRole> order = VisibleZOrder(Handle());
    switch (placement_.OnForeground(RoleOf(foreground, Handle()), order)) {
      case LayerMove::kNone: break;
      case LayerMove::kToBottom: PlaceAtBottom(); break;
      case LayerMove::kAboveDesktop: {
        // Right under the window above the desktop; under a topmost one the layer would become
        // topmost itself, so it then goes to the top of the ordinary windows.
        HWND above = GetWindow(foreground, GW_HWNDPREV);
        if (above == Handle()) break;  // already there
        if (above != nullptr && (GetWindowLongPtrW(above, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
          above = nullptr;
        }
        SetWindowPos(Handle(), above != nullptr ? above : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
      }
    }
  }

  // Draws the part to be painted in bands of rows through one small buffer, kept for the next
  // paint.
  void Paint() {
    const PaintDc dc(Handle());
    RECT area{};
    if (!shown_ || GetClipBox(dc.Get(), &area) == ERROR || area.right <= area.left ||
        area.bottom <= area.top) {
      return;
    }
    const int width = static_cast<int>(area.right - area.left);
    const int rows = std::min<int>(kBandRows, area.bottom - area.top);
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    if (band_.size() < stride * static_cast<std::size_t>(rows)) {
      band_.assign(stride * static_cast<std::size_t>(rows), 0);
    }
    const render::TextBlock* hovered = pointer_.HoveredCaption();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    for (int top = area.top; top < area.bottom; top += rows) {
      const int height = std::min<int>(rows, area.bottom - top);
      const render::BgrPixels target{band_.data(), width, height, stride};
      if (!shown_->painting->Draw(target, POINT{area.left, top}, hovered, kHoverColour)) {
        return;  // no room for drawing now: the rest shows what was there until painted again
      }
      info.bmiHeader.biHeight = height;  // bottom-up, as the renderer draws
      SetDIBitsToDevice(dc.Get(), area.left, top, static_cast<DWORD>(width),
                        static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height),
                        band_.data(), &info, DIB_RGB_COLORS);
    }
  }

  // The pointer's messages, decided by the layer's pointer; the window paints, tracks the leaving
  // and opens as it answers.
  void PointerMessage(UINT message, LPARAM position) {
    const int x = static_cast<short>(LOWORD(position));
    const int y = static_cast<short>(HIWORD(position));
    switch (message) {
      case WM_MOUSEMOVE:
        Repaint(pointer_.MoveTo(x, y));
        FollowLeave();
        break;
      case WM_MOUSELEAVE:
        trackingLeave_ = false;
        Repaint(pointer_.Leave());
        break;
      case WM_LBUTTONDOWN: pointer_.Press(x, y); break;
      case WM_LBUTTONUP: Open(pointer_.Release(x, y)); break;
      default: break;
    }
  }

  // The pointer's leaving matters only to a caption in the hover colour; asked for only then,
  // since some systems watch for it with a timer.
  void FollowLeave() {
    if ((pointer_.HoveredCaption() != nullptr) == trackingLeave_) return;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
    if (trackingLeave_) track.dwFlags |= TME_CANCEL;
    if (TrackMouseEvent(&track)) trackingLeave_ = !trackingLeave_;
  }

  LayerCursor CursorHere() const {
    POINT cursor{};
    if (!GetCursorPos(&cursor) || !ScreenToClient(Handle(), &cursor)) return LayerCursor::kArrow;
    return pointer_.CursorAt(cursor.x, cursor.y);
  }

  // Paint draws the hovered caption in the hover colour: only the captions whose colour changed
  // are painted again.
  void Repaint(const CaptionChange& change) {
    for (const render::TextBlock* caption : {change.unhovered, change.hovered}) {
      if (caption != nullptr) Invalidate(shown_->renderer->TextBounds(*caption));
    }
  }

  void Invalidate(const render::Rect& area) {
    const RECT rect{area.left, area.top, area.right, area.bottom};
    InvalidateRect(Handle(), &rect, FALSE);
  }

  // The link with the shell, which shows its own message when the link cannot be opened.
  void Open(const LayerClick& click) {
    std::string target;
    std::string folder;
    if (click.target == LayerClick::Target::kEmblem) {
      target = std::string(kMakerSite);
    } else if (click.target == LayerClick::Target::kSettings) {
      target = programFolder_ + "\\desktop.exe";
      folder = programFolder_;
    } else if (click.target == LayerClick::Target::kEntry && click.entry >= 0 &&
               click.entry < kEntryCount) {
      target = PathOfLinkUrl(content_.EntryLink[static_cast<std::size_t>(click.entry)]);
    }
    if (target.empty()) return;
    const std::wstring file = Widen(target);
    const std::wstring directory = Widen(folder);
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_FLAG_DDEWAIT;  // the shell finishes before the call returns
    execute.hwnd = Handle();
    execute.lpFile = file.c_str();
    execute.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    execute.nShow = SW_SHOWNORMAL;
    if (Shell().shellExecuteEx != nullptr) Shell().shellExecuteEx(&execute);
  }

  // Rows drawn at a time: a band of a 4K screen's width takes under 200 kB.
  static constexpr int kBandRows = 16;

  // The desktop as shown: the layout (for drawing, hit-testing and the hover colour) and what
  // draws it, which refers to the other two.
  struct Shown {
    std::unique_ptr<render::DesktopRenderer> renderer;
    render::DesktopLayout layout;
    std::unique_ptr<render::DesktopPainting> painting;
  };

  const LayerServices& services_;
  const std::string programFolder_;
  const UINT reloadMessage_;
  const UINT endMessage_;
  const UINT taskbarCreatedMessage_;
  std::string scriptBytes_;  // desktop.js as last shown
  DesktopContent content_;
  std::unique_ptr<Shown> shown_;
  std::vector<std::uint8_t> band_;  // Paint's rows, kept between paints
  int dpi_ = USER_DEFAULT_SCREEN_DPI;  // the window's, as the system last told it
  bool trackingLeave_ = false;
  LayerPointer pointer_;
  LayerPlacement placement_;
  UniqueWinEventHook foregroundHook_;
};

}  // namespace

int RunDesktopLayer(HINSTANCE instance, const LayerServices& services) {
  const UniqueKernelHandle instanceMutex(CreateMutexW(nullptr, FALSE, kDesktopLayerMutex));
  if (!instanceMutex || GetLastError() == ERROR_ALREADY_EXISTS) return 0;
  // ShellExecuteEx may hand a link to shell extensions, which are COM objects.
  const ComApartment com;

  DesktopLayerWindow layer(services);
  if (!layer.Open(instance)) return 0;

  const std::wstring folder = Widen(services.environment.ProgramFolder());
  const UniqueChangeNotification changes(FindFirstChangeNotificationW(
      folder.c_str(), FALSE,
      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE));
  // Nothing runs between events: the thread sleeps until a message or a change in the folder.
  for (;;) {
    const HANDLE handle = changes.Get();
    const DWORD count = changes ? 1 : 0;
    const DWORD woken = MsgWaitForMultipleObjects(count, &handle, FALSE, INFINITE, QS_ALLINPUT);
    if (count == 1 && woken == WAIT_OBJECT_0) {
      FindNextChangeNotification(handle);
      layer.FolderChanged();
      continue;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace mirella::app
