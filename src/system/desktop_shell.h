#pragma once
// The shell's side of the user's desktop: which kind of desktop it can show, and how to make it
// show a new one at once. The Win32 layer implements it (desktop_shell_win32.h); tests use a fake.

#include <string>

#include "system/result.h"

namespace mirella {

enum class DesktopKind {
  kPage,     // the shell shows an HTML page as the desktop (Windows 2000 and XP)
  kPicture,  // the shell shows pictures only (Vista and later)
};

class DesktopShell {
 public:
  virtual ~DesktopShell() = default;
  // Decided once, from what the system has (see SystemDesktopKind on Windows).
  virtual DesktopKind Kind() const = 0;
  // Makes the picture file the wallpaper, saved in the user's profile and shown at once; an
  // empty path shows no picture. The shell takes the wallpaper style from the registry.
  virtual Status SetPictureWallpaper(const std::string& path) = 0;
  // Asks the page desktop to load its settings again and show them at once. False when the
  // shell has no page desktop or refused; the settings are in place all the same.
  virtual bool RefreshPageDesktop() = 0;
  // Starts the desktop layer (the program folder's "desktop.exe /layer"), or tells the running
  // layer to read its desktop again. False when it could not be started: the wallpaper shows the
  // same desktop, only without links.
  virtual bool StartDesktopLayer(const std::string& programFolder) = 0;
  // Ends a running desktop layer and waits for it to be gone; nothing when none runs.
  virtual void EndDesktopLayer() = 0;
};

}  // namespace mirella
