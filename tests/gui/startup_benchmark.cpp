// Start-up benchmark: the time from process start to the first paint of a program's first
// window, for desktop.exe (its splash) against a minimal Win32 window program, as medians over
// several runs and their ratio.
//
//   startup_benchmark <runs> <desktop.exe> <minimal_window.exe>
//
// Each program is started with CreateProcessW; the clock runs from just before that call until
// the program's visible top-level window shows its painted pixels on the screen. What "painted"
// looks like is learnt first, from one run that is left time to settle: a few sample points of
// the window away from anything that moves (the splash's progress bar). The programs run in
// turn, so that a slow spell of the machine weighs on both.

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Sample points as fractions of the window's width and height: two rows above the splash's
// progress bar (which starts at 75 % of the height), five columns.
constexpr std::array<double, 2> kRows{0.2, 0.4};
constexpr std::array<double, 5> kColumns{0.1, 0.3, 0.5, 0.7, 0.9};
constexpr DWORD kTimeoutMs = 60000;

struct Target {
  const wchar_t* name;
  std::wstring path;
  std::vector<COLORREF> painted;  // the sample points' colours once the window is painted
  std::vector<double> milliseconds;
};

struct FindWindowOf {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<FindWindowOf*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND VisibleWindowOf(DWORD processId) {
  FindWindowOf search{processId, nullptr};
  EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The screen's colours at the sample points of the window, or nothing while it has no area.
std::vector<COLORREF> Samples(HWND window) {
  RECT rect{};
  if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) {
    return {};
  }
  HDC screen = GetDC(nullptr);
  std::vector<COLORREF> colours;
  for (double row : kRows) {
    for (double column : kColumns) {
      const int x = rect.left + static_cast<int>((rect.right - rect.left) * column);
      const int y = rect.top + static_cast<int>((rect.bottom - rect.top) * row);
      colours.push_back(GetPixel(screen, x, y));
    }
  }
  ReleaseDC(nullptr, screen);
  return colours;
}

double Now() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / ticksPerMs;
}

bool Start(const std::wstring& path, PROCESS_INFORMATION& process) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + path + L"\"";
  return CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process) != 0;
}

void Stop(PROCESS_INFORMATION& process) {
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  Sleep(300);  // let the X server drop the window before the next start
}

// Starts the target and returns the milliseconds until its window shows `painted`; with an
// empty `painted`, waits for the window, lets it settle and stores what it shows instead.
double Measure(Target& target) {
  PROCESS_INFORMATION process{};
  const double start = Now();
  if (!Start(target.path, process)) {
    std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", target.path.c_str(), GetLastError());
    return -1;
  }
  double elapsed = -1;
  while (Now() - start < kTimeoutMs) {
    if (HWND window = VisibleWindowOf(process.dwProcessId)) {
      if (target.painted.empty()) {
        Sleep(1500);
        target.painted = Samples(window);
        elapsed = Now() - start;
        break;
      }
      if (Samples(window) == target.painted) {
        elapsed = Now() - start;
        break;
      }
    }
    Sleep(1);
  }
  Stop(process);
  if (elapsed < 0) std::fwprintf(stderr, L"%ls: no painted window in time\n", target.name);
  return elapsed;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fwprintf(stderr, L"usage: startup_benchmark <runs> <desktop.exe> <minimal_window.exe>\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  std::array<Target, 2> targets{{{L"desktop.exe splash", argv[2], {}, {}},
                                 {L"minimal window", argv[3], {}, {}}}};

  // Learn each window's painted look; these runs also warm the file cache.
  for (Target& target : targets) {
    if (Measure(target) < 0) return 1;
  }
  for (int run = 0; run < runs; ++run) {
    for (Target& target : targets) {
      const double elapsed = Measure(target);
      if (elapsed < 0) return 1;
      target.milliseconds.push_back(elapsed);
    }
  }

  for (const Target& target : targets) {
    std::wprintf(L"%-20ls median %7.1f ms   runs:", target.name, Median(target.milliseconds));
    for (double value : target.milliseconds) std::wprintf(L" %.0f", value);
    std::wprintf(L"\n");
  }
  std::wprintf(L"ratio (splash / minimal window): %.2f\n",
               Median(targets[0].milliseconds) / Median(targets[1].milliseconds));
  return 0;
}
