#pragma once
// The shell's side of the desktop on Windows: the real system version decides which desktop the
// shell shows; SystemParametersInfoW sets a picture wallpaper; the shell's Active Desktop object
// refreshes a page desktop.

#include "system/desktop_shell.h"

namespace mirella {

class Win32DesktopShell : public DesktopShell {
 public:
  Win32DesktopShell();
  DesktopKind Kind() const override { return kind_; }
  Status SetPictureWallpaper(const std::string& path) override;
  bool RefreshPageDesktop() override;
  bool StartDesktopLayer(const std::string& programFolder) override;
  void EndDesktopLayer() override;

 private:
  DesktopKind kind_;
};

// The major version of the running system as the kernel reports it: RtlGetVersion tells the truth
// to programs without a compatibility manifest, where GetVersionEx stops at Windows 8. 0 when it
// cannot be learnt.
unsigned RealSystemMajorVersion();

}  // namespace mirella
