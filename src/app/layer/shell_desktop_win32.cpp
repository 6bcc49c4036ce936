#include "app/layer/shell_desktop_win32.h"

#include <oleacc.h>

#include "system/desktop_layer_names_win32.h"
#include "win32/handles.h"

namespace mirella::app {
namespace {

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  if (window != nullptr) GetWindowThreadProcessId(window, &process);
  return process;
}

// Out-of-context win events come through the message loop of the thread that asked for them,
// without any context of ours: the layer's window is found by its class.
void CALLBACK ShellEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
  // The pointer's and the caret's moves over the shell's windows are no windows' changes.
  if (window == nullptr || (object != OBJID_WINDOW && object != OBJID_CLIENT)) return;
  if (const HWND layer = FindWindowW(kDesktopLayerClass, nullptr)) {
    PostMessageW(layer, kShellChanged, reinterpret_cast<WPARAM>(window), 0);
  }
}

void CALLBACK ForegroundEvent(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
  if (const HWND layer = FindWindowW(kDesktopLayerClass, nullptr)) {
    PostMessageW(layer, kForegroundChanged, reinterpret_cast<WPARAM>(window), 0);
  }
}

}  // namespace

ShellDesktop FindShellDesktop() {
  ShellDesktop desktop;
  desktop.shell = GetShellWindow();
  if (desktop.shell == nullptr) desktop.shell = FindWindowW(L"Progman", nullptr);
  if (desktop.shell == nullptr) return desktop;
  desktop.process = ProcessOf(desktop.shell);
  HWND defView = FindWindowExW(desktop.shell, nullptr, L"SHELLDLL_DefView", nullptr);
  for (HWND worker = nullptr; defView == nullptr;) {
    worker = FindWindowExW(nullptr, worker, L"WorkerW", nullptr);
    if (worker == nullptr) break;
    if (ProcessOf(worker) == desktop.process) {
      defView = FindWindowExW(worker, nullptr, L"SHELLDLL_DefView", nullptr);
    }
  }
  // Without an icon list the shell window itself is the bottom the layer stands on.
  if (defView == nullptr) {
    desktop.host = desktop.shell;
    return desktop;
  }
  desktop.host = GetAncestor(defView, GA_ROOT);
  desktop.list = FindWindowExW(defView, nullptr, L"SysListView32", nullptr);
  return desktop;
}

std::vector<RECT> ReadDesktopIcons(HWND list) {
  std::vector<RECT> icons;
  if (list == nullptr || !IsWindowVisible(list)) return icons;
  ComPtr<IAccessible> accessible;
  if (FAILED(AccessibleObjectFromWindow(list, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(accessible.Put())))) {
    return icons;
  }
  LONG count = 0;
  if (FAILED(accessible->get_accChildCount(&count))) return icons;
  for (LONG id = 1; id <= count; ++id) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    LONG left = 0;
    LONG top = 0;
    LONG width = 0;
    LONG height = 0;
    if (accessible->accLocation(&left, &top, &width, &height, child) == S_OK && width > 0 &&
        height > 0) {
      icons.push_back({left, top, left + width, top + height});
    }
  }
  return icons;
}

void ShellEventWatch::Start(DWORD shellProcess) {
  if (!hooks_.empty() && shellProcess == process_) return;
  Stop();
  process_ = shellProcess;
  constexpr DWORD kFlags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
  const auto hook = [&](DWORD first, DWORD last, WINEVENTPROC procedure, DWORD process) {
    if (HWINEVENTHOOK made = SetWinEventHook(first, last, nullptr, procedure, process, 0, kFlags)) {
      hooks_.push_back(made);
    }
  };
  hook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, ForegroundEvent, 0);
  hook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, ForegroundEvent, 0);
  if (shellProcess != 0) {
    // Create, destroy, show, hide and reorder are one range; location changes another.
    hook(EVENT_OBJECT_CREATE, EVENT_OBJECT_REORDER, ShellEvent, shellProcess);
    hook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, ShellEvent, shellProcess);
  }
}

void ShellEventWatch::Stop() {
  for (const HWINEVENTHOOK hook : hooks_) UnhookWinEvent(hook);
  hooks_.clear();
  process_ = 0;
}

}  // namespace mirella::app
