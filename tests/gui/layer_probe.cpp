// Looks at and nudges the running desktop layer from another process, as the system and the
// shell would, and prints what it finds on one line:
//
//   layer_probe.exe memory <window class>   the memory counters of the process of that window:
//                                           "private <bytes> pagefile <bytes> working-set <bytes>"
//   layer_probe.exe rect                    the layer's window: "<left> <top> <right> <bottom>"
//   layer_probe.exe shell-restart           a new shell window (Progman) at the bottom and the
//                                           taskbar's message, as when Explorer starts again;
//                                           where the layer stands before and after it: "bottom"
//                                           when no visible window is under it, else "above
//                                           <count>"
//   layer_probe.exe dpi <dpi>               tells the layer that its monitor's DPI changed
//   layer_probe.exe display <width> <height>  changes the screen's resolution
//   layer_probe.exe detach                  takes every monitor but the primary off the
//                                           desktop, as the display settings do
//   layer_probe.exe attach <width> <height> <x> <y>  puts a monitor that is off back on it
//   layer_probe.exe dialog                  "dialog" when the layer's process shows a message
//                                           box, which it then closes with OK
//   layer_probe.exe at <x> <y>              what the pointer reaches there: the classes of the
//                                           window and of its top-level window
//   layer_probe.exe z-order                 the classes of the visible top-level windows from
//                                           the top down
//   layer_probe.exe show-desktop <x> <y>    tells the model of Explorer's desktop to "show the
//                                           desktop" and prints in how many milliseconds the
//                                           layer stands at that point ("timeout" after 3 s)
//   layer_probe.exe activate <class> <x> <y>  brings that window to the foreground, as the user
//                                           does, and prints in how many milliseconds the layer
//                                           no longer stands at that point
//   layer_probe.exe ok-button <caption>     the OK button of the window with that caption (a
//                                           message box): "<left> <top> <right> <bottom>"
//
// Run in Wine's virtual desktop, whose programs have no console, it writes its line to a file:
//   layer_probe.exe --to <file> <command> ...   (written whole under another name, then renamed)
// A command that finds nothing to print prints "done" when it succeeded. Exit code 0, or 1 when
// the window or the call fails.

#include <windows.h>
#include <psapi.h>

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <string>

#include "probe_output.h"
#include "system/desktop_layer_names_win32.h"

namespace {

std::string output;

void Print(const char* format, ...) {
  char line[256];
  va_list values;
  va_start(values, format);
  std::vsnprintf(line, sizeof line, format, values);
  va_end(values);
  output += line;
}

HWND Layer() { return FindWindowW(mirella::kDesktopLayerClass, nullptr); }

int Memory(const wchar_t* windowClass) {
  const HWND window = FindWindowW(windowClass, nullptr);
  DWORD id = 0;
  if (window == nullptr || GetWindowThreadProcessId(window, &id) == 0) return 1;
  const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
  if (process == nullptr) return 1;
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  const BOOL read = GetProcessMemoryInfo(
      process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  CloseHandle(process);
  if (!read) return 1;
  Print("private %llu pagefile %llu working-set %llu\n",
        static_cast<unsigned long long>(counters.PrivateUsage),
        static_cast<unsigned long long>(counters.PagefileUsage),
        static_cast<unsigned long long>(counters.WorkingSetSize));
  return 0;
}

int Rect() {
  RECT rect{};
  const HWND layer = Layer();
  if (layer == nullptr || !GetWindowRect(layer, &rect)) return 1;
  Print("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  return 0;
}

int Display(const wchar_t* width, const wchar_t* height) {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = static_cast<DWORD>(std::wcstol(width, nullptr, 10));
  mode.dmPelsHeight = static_cast<DWORD>(std::wcstol(height, nullptr, 10));
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  return ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL
             ? 0
             : 1;
}

// Display devices get a mode in the registry, then all are applied at once: the documented way
// to take monitors off the desktop (an empty mode for each attached one but the primary) or to
// put one back (`mode` for the first that is not attached).
int ArrangeMonitors(bool attach, const DEVMODEW& mode) {
  bool changed = false;
  DISPLAY_DEVICEW device{};
  device.cb = sizeof device;
  for (DWORD index = 0; EnumDisplayDevicesW(nullptr, index, &device, 0); ++index) {
    const bool attached = (device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) != 0;
    if ((device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) != 0 || attached == attach) continue;
    DEVMODEW set = mode;
    if (ChangeDisplaySettingsExW(device.DeviceName, &set, nullptr, CDS_UPDATEREGISTRY | CDS_NORESET,
                                 nullptr) != DISP_CHANGE_SUCCESSFUL) {
      return 1;
    }
    changed = true;
    if (attach) break;
  }
  return changed && ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr) ==
                        DISP_CHANGE_SUCCESSFUL
             ? 0
             : 1;
}

int Detach() {
  DEVMODEW empty{};
  empty.dmSize = sizeof empty;
  empty.dmFields = DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT;
  return ArrangeMonitors(false, empty);
}

int Attach(wchar_t** size) {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT;
  mode.dmPelsWidth = static_cast<DWORD>(std::wcstol(size[0], nullptr, 10));
  mode.dmPelsHeight = static_cast<DWORD>(std::wcstol(size[1], nullptr, 10));
  mode.dmPosition.x = std::wcstol(size[2], nullptr, 10);
  mode.dmPosition.y = std::wcstol(size[3], nullptr, 10);
  return ArrangeMonitors(true, mode);
}

int Bottom() {
  const HWND layer = Layer();
  if (layer == nullptr) return 1;
  int above = 0;
  for (HWND next = GetWindow(layer, GW_HWNDNEXT); next != nullptr;
       next = GetWindow(next, GW_HWNDNEXT)) {
    if (IsWindowVisible(next)) ++above;
  }
  if (above == 0) {
    Print("bottom\n");
  } else {
    Print("above %d\n", above);
  }
  return 0;
}

// As Explorer starting again does: a new shell window at the bottom, under the layer, and then
// the taskbar's message to every window. Prints where the layer stands before and after it.
int ShellRestart(HINSTANCE instance) {
  WNDCLASSW shellClass{};
  shellClass.lpfnWndProc = DefWindowProcW;
  shellClass.hInstance = instance;
  shellClass.lpszClassName = L"Progman";  // as the shell's, which the layer stands on
  RegisterClassW(&shellClass);
  const HWND shell = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, shellClass.lpszClassName,
                                     L"", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, instance,
                                     nullptr);
  if (shell == nullptr) return 1;
  ShowWindow(shell, SW_SHOWNOACTIVATE);
  SetWindowPos(shell, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  int code = Bottom();
  const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, 10000, &result)) {
    code = 1;
  }
  code |= Bottom();
  DestroyWindow(shell);
  return code;
}

// WM_DPICHANGED as the system sends it when the layer's monitor gets another scale.
int Dpi(const wchar_t* number) {
  const HWND layer = Layer();
  const WORD dpi = static_cast<WORD>(std::wcstol(number, nullptr, 10));
  DWORD_PTR result = 0;
  if (layer == nullptr) return 1;
  return SendMessageTimeoutW(layer, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), 0,
                             SMTO_ABORTIFHUNG, 10000, &result)
             ? 0
             : 1;
}

BOOL CALLBACK FindLayerDialog(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  DWORD dialogProcess = 0;
  DWORD layerProcess = 0;
  GetWindowThreadProcessId(window, &dialogProcess);
  GetWindowThreadProcessId(Layer(), &layerProcess);
  if (std::wstring(name) == L"#32770" && IsWindowVisible(window) &&
      dialogProcess == layerProcess) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// A message box of the layer's process: prints "dialog" and its text, and presses its OK.
int Dialog() {
  HWND dialog = nullptr;
  if (Layer() == nullptr) return 1;
  EnumWindows(FindLayerDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr) return 1;
  Print("dialog\n");
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  return 0;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  if (window == nullptr || GetClassNameA(window, name, sizeof name) == 0) return "none";
  return name;
}

int At(const wchar_t* x, const wchar_t* y) {
  const POINT point{std::wcstol(x, nullptr, 10), std::wcstol(y, nullptr, 10)};
  const HWND window = WindowFromPoint(point);
  Print("%s %s\n", ClassOf(window).c_str(), ClassOf(GetAncestor(window, GA_ROOT)).c_str());
  return window != nullptr ? 0 : 1;
}

BOOL CALLBACK PrintVisible(HWND window, LPARAM) {
  if (IsWindowVisible(window)) Print("%s\n", ClassOf(window).c_str());
  return TRUE;
}

int ZOrder() { return EnumWindows(PrintVisible, 0) ? 0 : 1; }

// Waits for the layer to be (or not to be) the window at a point; prints the milliseconds.
int WaitForLayerAt(const wchar_t* x, const wchar_t* y, bool wanted) {
  const POINT point{std::wcstol(x, nullptr, 10), std::wcstol(y, nullptr, 10)};
  const DWORD start = GetTickCount();
  for (;;) {
    const bool layer = GetAncestor(WindowFromPoint(point), GA_ROOT) == Layer();
    const DWORD elapsed = GetTickCount() - start;
    if (layer == wanted) {
      Print("%lu\n", static_cast<unsigned long>(elapsed));
      return 0;
    }
    if (elapsed > 3000) {
      Print("timeout\n");
      return 0;
    }
    Sleep(10);
  }
}

int ShowDesktop(const wchar_t* x, const wchar_t* y) {
  const HWND model = FindWindowExW(HWND_MESSAGE, nullptr, L"MirellaExplorerModelControl", nullptr);
  if (model == nullptr) return 1;
  const std::wstring command = L"show-desktop";
  COPYDATASTRUCT data{};
  data.cbData = static_cast<DWORD>(command.size() * sizeof(wchar_t));
  data.lpData = const_cast<wchar_t*>(command.data());
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(model, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                           SMTO_ABORTIFHUNG, 5000, &result)) {
    return 1;
  }
  return WaitForLayerAt(x, y, true);
}

int Activate(const wchar_t* windowClass, const wchar_t* x, const wchar_t* y) {
  const HWND window = FindWindowW(windowClass, nullptr);
  if (window == nullptr || !SetForegroundWindow(window)) return 1;
  // As Windows tells win-event hooks, which Wine does not.
  NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
  return WaitForLayerAt(x, y, false);
}

int OkButton(const wchar_t* caption) {
  const HWND window = FindWindowW(nullptr, caption);
  const HWND button = window != nullptr ? GetDlgItem(window, IDOK) : nullptr;
  RECT rect{};
  if (button == nullptr || !GetWindowRect(button, &rect)) return 1;
  Print("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  return 0;
}

}  // namespace

int wmain(int count, wchar_t** arguments) {
  std::wstring file;
  if (count > 2 && std::wstring(arguments[1]) == L"--to") {
    file = arguments[2];
    count -= 2;
    arguments += 2;
  }
  const std::wstring command = count > 1 ? arguments[1] : L"";
  int code = 2;
  if (command == L"memory" && count == 3) code = Memory(arguments[2]);
  if (command == L"rect" && count == 2) code = Rect();
  if (command == L"shell-restart" && count == 2) code = ShellRestart(GetModuleHandleW(nullptr));
  if (command == L"dpi" && count == 3) code = Dpi(arguments[2]);
  if (command == L"display" && count == 4) code = Display(arguments[2], arguments[3]);
  if (command == L"detach" && count == 2) code = Detach();
  if (command == L"attach" && count == 6) code = Attach(arguments + 2);
  if (command == L"dialog" && count == 2) code = Dialog();
  if (command == L"at" && count == 4) code = At(arguments[2], arguments[3]);
  if (command == L"z-order" && count == 2) code = ZOrder();
  if (command == L"show-desktop" && count == 4) code = ShowDesktop(arguments[2], arguments[3]);
  if (command == L"activate" && count == 5) code = Activate(arguments[2], arguments[3], arguments[4]);
  if (command == L"ok-button" && count == 3) code = OkButton(arguments[2]);
  if (code == 0 && output.empty()) Print("done\n");
  WriteProbeOutput(file, output);
  return code;
}
