#pragma once
// The common controls (comctl32 version 6, the one the manifest names) are loaded on first use
// instead of being imported: loading them registers and themes every class they have, which
// takes longer than the splash's whole first paint, and the splash has no windowed controls.

#include <windows.h>
#include <commctrl.h>

namespace mirella::ui::win32 {

struct CommonControls {
  BOOL(WINAPI* setWindowSubclass)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR) = nullptr;
  BOOL(WINAPI* removeWindowSubclass)(HWND, SUBCLASSPROC, UINT_PTR) = nullptr;
  LRESULT(WINAPI* defSubclassProc)(HWND, UINT, WPARAM, LPARAM) = nullptr;
};

// Loads and initialises the common controls (the standard classes and tooltips) on the first
// call; every entry is set. Throws std::runtime_error when they cannot be loaded.
const CommonControls& LoadCommonControls();

}  // namespace mirella::ui::win32
