#pragma once
// The shell's side of the user's desktop: which kind of desktop it can show, and how to make it
// show a new one at once. The Win32 layer implements it (desktop_shell_win32.h); tests use a fake.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "system/result.h"

namespace mirella {

enum class DesktopKind {
  kPage,     // the shell shows an HTML page as the desktop (Windows 2000 and XP)
  kPicture,  // the shell shows pictures only (Vista and later)
};

// The switches of the web desktop ("Active Desktop" of Windows 2000 and XP): the page desktop is
// shown only while `pageShown` is on, and its items only while `itemsShown` is.
struct WebDesktopOptions {
  bool pageShown = false;   // fActiveDesktop
  bool itemsShown = false;  // fEnableComponents
  bool operator==(const WebDesktopOptions&) const = default;
};

// The slideshow that changes the picture wallpaper by itself (Windows 8 and later): what it
// shows, as file paths of folders or pictures, in which order and how often.
struct SlideshowState {
  bool running = false;
  std::vector<std::string> items;
  bool shuffled = false;
  std::uint32_t intervalMs = 0;  // how long each picture stays
  bool operator==(const SlideshowState&) const = default;
};

// A monitor as the shell's per-monitor wallpaper object knows it (Windows 8 and later).
struct MonitorWallpaper {
  std::string monitor;  // the shell's device path for the monitor
  int left = 0;         // its rectangle in virtual-screen pixels
  int top = 0;
  int right = 0;
  int bottom = 0;
  std::string picture;  // the file it shows; empty: none
  bool operator==(const MonitorWallpaper&) const = default;
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
  // Starts the desktop layer (the program folder's "desktop.exe /layer") and returns once its
  // window is shown, or after a few seconds; or tells the running layer to read its desktop
  // again. False when it could not be started: the wallpaper shows the same desktop, only
  // without links.
  virtual bool StartDesktopLayer(const std::string& programFolder) = 0;
  // Ends a running desktop layer and waits for it to be gone; nothing when none runs.
  virtual void EndDesktopLayer() = 0;

  // The web desktop's switches as the shell holds them; nullopt where the shell has no web
  // desktop or will not say (a shell without the object, a policy).
  virtual std::optional<WebDesktopOptions> GetWebDesktopOptions() = 0;
  // Sets the switches and saves them in the user's profile. False where the shell refused.
  virtual bool SetWebDesktopOptions(const WebDesktopOptions& options) = 0;

  // The running slideshow, or one that is not running where the system has none (before
  // Windows 8). Fails when one runs but what it shows cannot be learnt.
  virtual Result<SlideshowState> GetSlideshowState() = 0;
  // Ends the running slideshow; the picture it showed last stays.
  virtual Status StopSlideshow() = 0;
  // Runs the slideshow again, with its items and options.
  virtual Status StartSlideshow(const SlideshowState& slideshow) = 0;

  // Each attached monitor with the picture it shows, where the shell takes a picture per monitor;
  // empty where it has no such object (before Windows 8, Wine) or will not say.
  virtual std::vector<MonitorWallpaper> GetMonitorWallpapers() = 0;
  // Shows the picture on that monitor alone, saved in the user's profile.
  virtual Status SetMonitorWallpaper(const std::string& monitor, const std::string& path) = 0;
  // How every monitor's picture is fitted to it (DESKTOP_WALLPAPER_POSITION: 0 centre, 1 tile,
  // 2 stretch, 3 fit, 4 fill, 5 span); nullopt where the shell has no per-monitor object.
  virtual std::optional<int> GetWallpaperPosition() = 0;
  virtual Status SetWallpaperPosition(int position) = 0;
};

}  // namespace mirella
