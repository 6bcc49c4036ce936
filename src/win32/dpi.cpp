#include "win32/dpi.h"

#include <initializer_list>

#include "win32/newer_functions.h"

namespace mirella::ui::win32 {

namespace {

// The awareness values of SetProcessDpiAwarenessContext and SetProcessDpiAwareness, which the
// XP headers do not have.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
constexpr int kProcessPerMonitorDpiAware = 2;

// The screen's DPI, at which the system gives its metrics and fonts: the DPI the user chose on
// XP, where the program still lays itself out at 96, and the system DPI of a DPI-aware process
// on Vista and later.
int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

void DeclareDpiAwareness() {
  const NewerFunctions& newer = Newer();
  if (newer.setProcessDpiAwarenessContext != nullptr &&
      newer.setProcessDpiAwarenessContext(kPerMonitorAwareV2)) {
    return;
  }
  if (newer.setProcessDpiAwareness != nullptr &&
      SUCCEEDED(newer.setProcessDpiAwareness(kProcessPerMonitorDpiAware))) {
    return;
  }
  if (newer.setProcessDPIAware != nullptr) newer.setProcessDPIAware();
}

int SystemDpi() {
  const NewerFunctions& newer = Newer();
  if (newer.getDpiForSystem != nullptr) {
    const UINT dpi = newer.getDpiForSystem();
    return dpi != 0 ? static_cast<int>(dpi) : USER_DEFAULT_SCREEN_DPI;
  }
  // Where a process cannot be DPI-aware, the screen's DPI is not the program's to follow.
  if (newer.setProcessDPIAware == nullptr) return USER_DEFAULT_SCREEN_DPI;
  return ScreenDpi();
}

int WindowDpi(HWND window) {
  const NewerFunctions& newer = Newer();
  if (window != nullptr && newer.getDpiForWindow != nullptr) {
    const UINT dpi = newer.getDpiForWindow(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  const NewerFunctions& newer = Newer();
  if (newer.adjustWindowRectExForDpi != nullptr &&
      newer.adjustWindowRectExForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    return;
  }
  // The frame at the system DPI: without per-monitor DPI every window has that one.
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

int SystemMetricForDpi(int metric, int dpi) {
  const NewerFunctions& newer = Newer();
  if (newer.getSystemMetricsForDpi != nullptr) {
    return newer.getSystemMetricsForDpi(metric, static_cast<UINT>(dpi));
  }
  return MulDiv(GetSystemMetrics(metric), dpi, SystemDpi());
}

NONCLIENTMETRICSW NonClientMetricsForDpi(int dpi) {
  const NewerFunctions& newer = Newer();
  // The XP size of the structure, which every later system accepts too.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (newer.systemParametersInfoForDpi != nullptr &&
      newer.systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                       static_cast<UINT>(dpi))) {
    return metrics;
  }
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  // The fonts come at the screen's DPI, which on XP is not the 96 the layout uses.
  const int fontDpi = ScreenDpi();
  for (LOGFONTW* font : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                         &metrics.lfStatusFont, &metrics.lfMessageFont}) {
    font->lfHeight = MulDiv(font->lfHeight, dpi, fontDpi);
  }
  return metrics;
}

}  // namespace mirella::ui::win32
