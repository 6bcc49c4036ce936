// The wallpaper of each monitor (Windows 8 and later), through the per-monitor wallpaper object.
// Where the object cannot be made (earlier systems, Wine) the shell has one wallpaper for all.

#include <windows.h>

#include <string>
#include <vector>

#include "system/desktop_shell_win32.h"
#include "win32/desktop_wallpaper.h"
#include "win32/handles.h"
#include "win32/shell_functions.h"
#include "win32/wide_text.h"

namespace mirella {
namespace {

bool CreateWallpaperObject(ComPtr<DesktopWallpaper>& wallpaper) {
  return SUCCEEDED(CoCreateInstance(kDesktopWallpaperClass, nullptr, CLSCTX_ALL,
                                    kDesktopWallpaperInterface,
                                    reinterpret_cast<void**>(wallpaper.Put())));
}

Status Failure(const std::string& what, HRESULT result) {
  return Status::Failure(what + ": " + SystemErrorText(static_cast<DWORD>(result)) + ".");
}

}  // namespace

std::vector<MonitorWallpaper> Win32DesktopShell::GetMonitorWallpapers() {
  const ComApartment apartment;
  ComPtr<DesktopWallpaper> wallpaper;
  UINT count = 0;
  if (!CreateWallpaperObject(wallpaper) || FAILED(wallpaper->GetMonitorDevicePathCount(&count))) {
    return {};
  }
  std::vector<MonitorWallpaper> monitors;
  for (UINT index = 0; index < count; ++index) {
    CoTaskMemory<wchar_t> path;
    RECT rect{};
    // The object also lists monitors that are known but detached: they have no rectangle.
    if (FAILED(wallpaper->GetMonitorDevicePathAt(index, path.Put())) || path.Get() == nullptr ||
        FAILED(wallpaper->GetMonitorRECT(path.Get(), &rect))) {
      continue;
    }
    MonitorWallpaper monitor;
    monitor.monitor = Narrow(path.Get());
    monitor.left = rect.left;
    monitor.top = rect.top;
    monitor.right = rect.right;
    monitor.bottom = rect.bottom;
    CoTaskMemory<wchar_t> shown;
    if (SUCCEEDED(wallpaper->GetWallpaper(path.Get(), shown.Put())) && shown.Get() != nullptr) {
      monitor.picture = Narrow(shown.Get());
    }
    monitors.push_back(std::move(monitor));
  }
  return monitors;
}

Status Win32DesktopShell::SetMonitorWallpaper(const std::string& monitor,
                                              const std::string& path) {
  const ComApartment apartment;
  constexpr const char* kWhat = "Не удалось сменить рисунок Рабочего стола на мониторе";
  ComPtr<DesktopWallpaper> wallpaper;
  if (!CreateWallpaperObject(wallpaper)) {
    return Status::Failure(std::string(kWhat) + ": в системе нет рисунков по мониторам.");
  }
  const HRESULT result =
      wallpaper->SetWallpaper(Widen(monitor).c_str(), Widen(path).c_str());
  return FAILED(result) ? Failure(kWhat, result) : Status::Ok();
}

std::optional<int> Win32DesktopShell::GetWallpaperPosition() {
  const ComApartment apartment;
  ComPtr<DesktopWallpaper> wallpaper;
  int position = 0;
  if (!CreateWallpaperObject(wallpaper) || FAILED(wallpaper->GetPosition(&position))) {
    return std::nullopt;
  }
  return position;
}

Status Win32DesktopShell::SetWallpaperPosition(int position) {
  const ComApartment apartment;
  constexpr const char* kWhat = "Не удалось задать, как рисунок заполняет монитор";
  ComPtr<DesktopWallpaper> wallpaper;
  if (!CreateWallpaperObject(wallpaper)) {
    return Status::Failure(std::string(kWhat) + ": в системе нет рисунков по мониторам.");
  }
  const HRESULT result = wallpaper->SetPosition(position);
  return FAILED(result) ? Failure(kWhat, result) : Status::Ok();
}

}  // namespace mirella
