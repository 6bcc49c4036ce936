#pragma once
// The shell's per-monitor wallpaper object (Windows 8 and later), declared here because the
// headers, limited to the oldest supported system, leave it out. It is created at run time with
// CoCreateInstance, which fails where the system (or Wine) has none.

#include <windows.h>
#include <shobjidl.h>

namespace mirella {

// CLSID_DesktopWallpaper and IID_IDesktopWallpaper of shobjidl.h.
inline constexpr CLSID kDesktopWallpaperClass = {
    0xc2cf3110, 0x460e, 0x4fc1, {0xb9, 0xd0, 0x8a, 0x1c, 0x0c, 0x9c, 0xc4, 0xbd}};
inline constexpr IID kDesktopWallpaperInterface = {
    0xb92b56a9, 0x8b55, 0x4e14, {0x9a, 0x89, 0x01, 0x99, 0xbb, 0xb6, 0xf9, 0x3b}};

// DESKTOP_SLIDESHOW_OPTIONS and DESKTOP_SLIDESHOW_STATE bits.
inline constexpr DWORD kSlideshowShuffle = 0x1;     // DSO_SHUFFLEIMAGES
inline constexpr DWORD kSlideshowConfigured = 0x2;  // DSS_SLIDESHOW: a slideshow is set

// IDesktopWallpaper, its methods in the order of its vtable. The enumerations it takes are
// passed as the DWORD or int they are.
struct DesktopWallpaper : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetWallpaper(LPCWSTR monitorId, LPCWSTR wallpaper) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetWallpaper(LPCWSTR monitorId, LPWSTR* wallpaper) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMonitorDevicePathAt(UINT index, LPWSTR* monitorId) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMonitorDevicePathCount(UINT* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMonitorRECT(LPCWSTR monitorId, RECT* rect) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetBackgroundColor(COLORREF color) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBackgroundColor(COLORREF* color) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPosition(int position) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPosition(int* position) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSlideshow(IShellItemArray* items) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSlideshow(IShellItemArray** items) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSlideshowOptions(DWORD options, UINT tickMs) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSlideshowOptions(DWORD* options, UINT* tickMs) = 0;
  virtual HRESULT STDMETHODCALLTYPE AdvanceSlideshow(LPCWSTR monitorId, int direction) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetStatus(DWORD* state) = 0;
  virtual HRESULT STDMETHODCALLTYPE Enable(BOOL enable) = 0;
};

}  // namespace mirella
