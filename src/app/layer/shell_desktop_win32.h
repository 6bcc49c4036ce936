#pragma once
// The shell's desktop as the layer finds it: the shell window (Progman), the top-level window
// that holds the list of the user's icons (SHELLDLL_DefView's host: Progman itself on Windows 7
// and on Windows 11 24H2, where the list and a WorkerW are Progman's children, else a WorkerW of
// the shell's process), and the icons' rectangles, read through Active Accessibility on that
// list: documented from XP to 11, and nothing of the shell's memory is touched.

#include <windows.h>

#include <vector>

namespace mirella::app {

struct ShellDesktop {
  HWND shell = nullptr;  // null where no shell runs (Wine's own desktop)
  HWND host = nullptr;   // the top-level window holding the icon list, else the shell window
  HWND list = nullptr;   // its SysListView32
  DWORD process = 0;     // the shell's
};

ShellDesktop FindShellDesktop();

// The user's icons on the screen, in physical pixels; none where the list is hidden ("Show
// desktop icons" switched off) or gone.
std::vector<RECT> ReadDesktopIcons(HWND list);

// Out-of-context win events that may change where the icons or their host stand: creation,
// destruction, showing, hiding, reordering and moves of the shell process's windows; and the
// foreground's and the focus's changes anywhere (Wine reports focus, not foreground, changes).
// Each is posted to the desktop layer's window as kShellChanged or kForegroundChanged, with the
// event's window in wParam, for the window to coalesce. No polling: the thread sleeps between
// events.
inline constexpr UINT kForegroundChanged = WM_APP + 1;
inline constexpr UINT kShellChanged = WM_APP + 2;

class ShellEventWatch {
 public:
  ShellEventWatch() = default;
  ~ShellEventWatch() { Stop(); }
  ShellEventWatch(const ShellEventWatch&) = delete;
  ShellEventWatch& operator=(const ShellEventWatch&) = delete;

  // Watches the shell's process from now on (0: foreground and focus only).
  void Start(DWORD shellProcess);
  void Stop();

 private:
  std::vector<HWINEVENTHOOK> hooks_;
  DWORD process_ = 0;
};

}  // namespace mirella::app
