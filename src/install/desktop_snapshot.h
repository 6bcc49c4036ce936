#pragma once
// The user's desktop values and files as they were before a change, and how each one comes back.
// Apply takes them before its first change and puts them back when a step fails; Restore puts
// back the ones saved before the program's first change. Both go through these functions, so a
// value or a file comes back the same way whichever of them brings it back.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "install/apply.h"
#include "install/desktop_places.h"
#include "system/desktop_shell.h"
#include "system/file_system.h"
#include "system/registry.h"

namespace mirella {

// Where each kDesktopValues entry stands in that table, and what Apply and Restore report it as.
enum DesktopValueIndex : std::size_t {
  kWallpaperValue,
  kWallpaperStyleValue,
  kTileWallpaperValue,
  kPageWallpaperValue,
};
inline constexpr std::array<AppliedItem, 4> kDesktopValueItems = {
    AppliedItem::kDesktopWallpaper, AppliedItem::kWallpaperStyle, AppliedItem::kTileWallpaper,
    AppliedItem::kPageWallpaper};
static_assert(kDesktopValueItems.size() == kDesktopValues.size());
static_assert(kDesktopValues[kWallpaperStyleValue].name == kWallpaperStyleName &&
              kDesktopValues[kTileWallpaperValue].name == kTileWallpaperName &&
              kDesktopValues[kWallpaperValue].key == kDesktopKey &&
              kDesktopValues[kPageWallpaperValue].key == kPageDesktopKey);

// One per kDesktopValues entry, in that order; nullopt: the value did not exist.
using DesktopValues = std::vector<std::optional<RegistryValue>>;

// A value under HKEY_CURRENT_USER as it is now, or nullopt when there is none. Fails when it
// exists but cannot be read: what was not read could not be put back.
Result<std::optional<RegistryValue>> ReadUserValue(const Registry& registry, std::string_view key,
                                                   std::string_view name);
// Every value that decides the wallpaper, as it is now.
Result<DesktopValues> ReadDesktopValues(const Registry& registry);

// The value back with its type and raw data, or no value where there was none.
Status PutBackUserValue(Registry& registry, std::string_view key, std::string_view name,
                        const std::optional<RegistryValue>& old);
Status PutBackDesktopValue(Registry& registry, DesktopValueIndex index,
                           const std::optional<RegistryValue>& old);

// A file as it was: its bytes, or none.
struct FileSnapshot {
  std::string path;
  std::optional<std::string> bytes;  // nullopt: there was no file

  // Fails when the file exists but cannot be read.
  static Result<FileSnapshot> Take(const FileSystem& files, std::string path);
  Status PutBack(FileSystem& files) const;
};
// The old bytes back, or no file where there was none (`bytes` null).
Status PutBackFile(FileSystem& files, const std::string& path, const std::string* bytes);

// Once the values are back on a picture-only desktop, the shell is shown the picture the
// wallpaper value names. The shell rewrites that value itself (with its variables expanded), so
// the caller puts the value back once more after this.
Status ShowWallpaperValue(const Registry& registry, DesktopShell& shell);

// DESKTOP_WALLPAPER_POSITION's stretch: a picture of the monitor's size shown pixel for pixel.
inline constexpr int kStretchPosition = 2;

// Each monitor shown the picture it showed, where it is still attached and the picture is
// there, and the fitting as it was (nullopt: left as it is). Every monitor is tried; the first
// failure is reported.
Status ShowMonitorWallpapers(DesktopShell& shell, const std::vector<MonitorWallpaper>& monitors,
                             const std::optional<int>& position, const FileSystem& files);

}  // namespace mirella
