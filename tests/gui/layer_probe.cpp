// Looks at and nudges the running desktop layer from another process, as the system and the
// shell would, and prints what it finds on one line:
//
//   layer_probe.exe memory <window class>   the memory counters of the process of that window:
//                                           "private <bytes> pagefile <bytes> working-set <bytes>"
//   layer_probe.exe rect                    the layer's window: "<left> <top> <right> <bottom>"
//   layer_probe.exe work-area <l> <t> <r> <b>  sets the work area (as a taskbar that moves does)
//                                           and tells every window
//   layer_probe.exe raise                   puts the layer on top of the ordinary windows
//   layer_probe.exe taskbar-created         tells every window that the taskbar was made again
//   layer_probe.exe bottom                  "bottom" when no visible window is under the layer,
//                                           else "above <count>"
//
// Run in Wine's virtual desktop, whose programs have no console, it writes its line to a file:
//   layer_probe.exe --to <file> <command> ...   (written whole under another name, then renamed)
// Exit code 0, or 1 when the window or the call fails.

#include <windows.h>
#include <psapi.h>

#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <cwchar>
#include <string>

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

int WorkArea(wchar_t** numbers) {
  RECT area{std::wcstol(numbers[0], nullptr, 10), std::wcstol(numbers[1], nullptr, 10),
            std::wcstol(numbers[2], nullptr, 10), std::wcstol(numbers[3], nullptr, 10)};
  return SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, SPIF_SENDCHANGE) ? 0 : 1;
}

int Raise() {
  const HWND layer = Layer();
  if (layer == nullptr) return 1;
  return SetWindowPos(layer, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) ? 0
                                                                                            : 1;
}

int TaskbarCreated() {
  const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) ? 0
                                                                                              : 1;
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
  if (command == L"work-area" && count == 6) code = WorkArea(arguments + 2);
  if (command == L"raise" && count == 2) code = Raise();
  if (command == L"taskbar-created" && count == 2) code = TaskbarCreated();
  if (command == L"bottom" && count == 2) code = Bottom();
  if (file.empty()) {
    std::fputs(output.c_str(), stdout);
  } else {
    const std::wstring partial = file + L".part";
    std::ofstream(partial.c_str(), std::ios::binary) << output;
    MoveFileExW(partial.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  return code;
}
