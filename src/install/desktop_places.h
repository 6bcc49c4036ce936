#pragma once
// Where the user's desktop lives: the application-data files Apply and Restore work on, and the
// registry values that name the wallpaper.

#include <array>
#include <string>
#include <string_view>

#include "system/environment.h"
#include "system/registry.h"

namespace mirella {

inline constexpr std::string_view kDesktopKey = "Control Panel\\Desktop";
inline constexpr std::string_view kPageDesktopKey =
    "Software\\Microsoft\\Internet Explorer\\Desktop\\General";
inline constexpr std::string_view kWallpaperName = "Wallpaper";
inline constexpr std::string_view kWallpaperStyleName = "WallpaperStyle";
inline constexpr std::string_view kTileWallpaperName = "TileWallpaper";

// Where the shell starts programs at logon: the desktop layer is started from there on systems
// whose desktop shows pictures only.
inline constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kLayerRunName = "Mirella";

// The command that starts the layer of the program folder's desktop.exe.
std::string DesktopLayerCommand(const std::string& programFolder);

// One registry value of the user's desktop, under HKEY_CURRENT_USER.
struct DesktopValue {
  std::string_view key;
  std::string_view name;
};

// Every value that decides which wallpaper the shell shows, in the order they are saved.
inline constexpr std::array<DesktopValue, 4> kDesktopValues = {{
    {kDesktopKey, kWallpaperName},
    {kDesktopKey, kWallpaperStyleName},
    {kDesktopKey, kTileWallpaperName},
    {kPageDesktopKey, kWallpaperName},
}};

struct DesktopPlaces {
  std::string desktopFolder;  // <AppData>\Microsoft\Internet Explorer
  std::string desktopFile;    // the shell's Desktop.htt there
  std::string dataFolder;     // <AppData>\Mirella: the program's own files
  std::string savedDesktop;   // the previous desktop, saved before the first change
  std::string picture;        // the desktop drawn as a picture, for picture-only shells
  // The picture the user saw before, copied beside the saved desktop; without its extension.
  std::string previousPicture;
  // The shell's own copies of the wallpaper it shows (Windows 8 and later, then 7), which it
  // keeps showing when the file the wallpaper value names is gone.
  std::array<std::string, 2> shellWallpaperCopies;
  // <LocalAppData>\Mirella: the pictures drawn for this machine's monitors, which a roaming
  // profile should not carry to machines they do not fit (desktop_picture_files.h).
  std::string pictureFolder;
};

// The user's application-data folder: the shell-folders value, or the shell's own answer when
// that value is empty. Empty when neither is known.
std::string AppDataFolder(const Environment& environment, const Registry& registry);

// The user's folder for application data that stays on this machine: the shell-folders value
// "Local AppData", or the shell's own answer. Empty when neither is known.
std::string LocalAppDataFolder(const Environment& environment, const Registry& registry);

// Without a local folder the pictures stay in the roaming one.
DesktopPlaces DesktopPlacesIn(const std::string& appData, const std::string& localAppData = {});

}  // namespace mirella
