#pragma once
// The shell's side of the desktop on Windows: what the system has decides which desktop the
// shell shows; SystemParametersInfoW sets a picture wallpaper; the shell's Active Desktop object
// refreshes a page desktop and holds its options; the per-monitor wallpaper object (Windows 8
// and later) runs the slideshow and holds each monitor's picture.

#include "system/desktop_shell.h"
#include "win32/system_exports.h"

namespace mirella {

// The desktop the running system's shell shows: the page desktop where the system reports NT 5.x
// (2000, XP, Server 2003) and has no desktop window manager library (dwmapi.dll, Vista and
// later). A compatibility mode ("Windows XP SP3") reports 5.1 on a newer system, whose shell
// shows pictures only; it keeps dwmapi.dll. Tests pass a lookup of their own.
DesktopKind SystemDesktopKind(ExportLookup lookup = FindSystemExport);

class Win32DesktopShell : public DesktopShell {
 public:
  explicit Win32DesktopShell(ExportLookup lookup = FindSystemExport);
  DesktopKind Kind() const override { return kind_; }
  Status SetPictureWallpaper(const std::string& path) override;
  bool RefreshPageDesktop() override;
  bool StartDesktopLayer(const std::string& programFolder) override;
  void EndDesktopLayer() override;
  std::optional<WebDesktopOptions> GetWebDesktopOptions() override;
  bool SetWebDesktopOptions(const WebDesktopOptions& options) override;
  // desktop_slideshow_win32.cpp: through the per-monitor wallpaper object.
  Result<SlideshowState> GetSlideshowState() override;
  Status StopSlideshow() override;
  Status StartSlideshow(const SlideshowState& slideshow) override;
  // desktop_monitor_wallpapers_win32.cpp: through the same object.
  std::vector<MonitorWallpaper> GetMonitorWallpapers() override;
  Status SetMonitorWallpaper(const std::string& monitor, const std::string& path) override;
  std::optional<int> GetWallpaperPosition() override;
  Status SetWallpaperPosition(int position) override;

 private:
  DesktopKind kind_;
};

// The major version of the running system as the kernel reports it: RtlGetVersion tells the truth
// to programs without a compatibility manifest, where GetVersionEx stops at Windows 8, though not
// to a program run in a compatibility mode. 0 when it cannot be learnt.
unsigned RealSystemMajorVersion(ExportLookup lookup = FindSystemExport);

}  // namespace mirella
