#pragma once
// The DPI the windows are laid out at, and the measures that depend on it, from the newest
// functions the system has (src/win32/newer_functions.h):
// - Windows 10 1607 and later: each window's own DPI (per-monitor awareness);
// - Vista to Windows 10 1511: the system DPI, the screen's LOGPIXELSY (the process is DPI-aware);
// - XP: 96 dpi. XP scales nothing for programs, so the layout stays as designed.

#include <windows.h>

// Windows' base DPI and the message of a DPI change, which the XP headers do not name yet
// (older systems never send the message).
#ifndef USER_DEFAULT_SCREEN_DPI
#define USER_DEFAULT_SCREEN_DPI 96
#endif
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace mirella::ui::win32 {

// Declares the process DPI-aware as far as the system allows: per-monitor version 2 (Windows 10
// 1703), per-monitor (8.1) or system-wide (Vista). The manifest declares the same, and where it
// has, the calls change nothing.
void DeclareDpiAwareness();

// The DPI of the system (of new windows).
int SystemDpi();
// The DPI a window is drawn at.
int WindowDpi(HWND window);

// AdjustWindowRectEx at a DPI: the window rectangle for a client rectangle.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// GetSystemMetrics at a DPI.
int SystemMetricForDpi(int metric, int dpi);
// The fonts of message boxes and captions at a DPI (SPI_GETNONCLIENTMETRICS), scaled from the
// screen's DPI where the system cannot give them at another: on XP at 120 dpi, the 96-dpi
// layout gets fonts for 96 dpi.
NONCLIENTMETRICSW NonClientMetricsForDpi(int dpi);

}  // namespace mirella::ui::win32
