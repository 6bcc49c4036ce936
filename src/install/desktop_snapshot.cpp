#include "install/desktop_snapshot.h"

#include <algorithm>
#include <utility>

namespace mirella {

Result<std::optional<RegistryValue>> ReadUserValue(const Registry& registry, std::string_view key,
                                                   std::string_view name) {
  return registry.ReadValue(RegistryRoot::kCurrentUser, std::string(key), std::string(name));
}

Result<DesktopValues> ReadDesktopValues(const Registry& registry) {
  DesktopValues values;
  for (const DesktopValue& value : kDesktopValues) {
    auto read = ReadUserValue(registry, value.key, value.name);
    if (!read) return read.status();
    values.push_back(std::move(read).value());
  }
  return values;
}

Status PutBackUserValue(Registry& registry, std::string_view key, std::string_view name,
                        const std::optional<RegistryValue>& old) {
  const std::string keyText(key);
  const std::string nameText(name);
  return old ? registry.WriteValue(RegistryRoot::kCurrentUser, keyText, nameText, *old)
             : registry.DeleteValue(RegistryRoot::kCurrentUser, keyText, nameText);
}

Status PutBackDesktopValue(Registry& registry, DesktopValueIndex index,
                           const std::optional<RegistryValue>& old) {
  return PutBackUserValue(registry, kDesktopValues[index].key, kDesktopValues[index].name, old);
}

Result<FileSnapshot> FileSnapshot::Take(const FileSystem& files, std::string path) {
  FileSnapshot snapshot{std::move(path), std::nullopt};
  if (files.FileExists(snapshot.path)) {
    auto bytes = files.ReadFile(snapshot.path);
    if (!bytes) return bytes.status();
    snapshot.bytes = std::move(bytes).value();
  }
  return snapshot;
}

Status FileSnapshot::PutBack(FileSystem& files) const {
  return PutBackFile(files, path, bytes ? &*bytes : nullptr);
}

Status PutBackFile(FileSystem& files, const std::string& path, const std::string* bytes) {
  return bytes != nullptr ? files.WriteFileReplacing(path, *bytes) : files.RemoveFile(path);
}

Status ShowWallpaperValue(const Registry& registry, DesktopShell& shell) {
  const std::string picture = registry.GetStringValue(
      RegistryRoot::kCurrentUser, std::string(kDesktopKey), std::string(kWallpaperName));
  return shell.SetPictureWallpaper(picture);
}

Status ShowMonitorWallpapers(DesktopShell& shell, const std::vector<MonitorWallpaper>& monitors,
                             const std::optional<int>& position, const FileSystem& files) {
  Status first = position ? shell.SetWallpaperPosition(*position) : Status::Ok();
  const std::vector<MonitorWallpaper> attached = shell.GetMonitorWallpapers();
  const auto isAttached = [&](const MonitorWallpaper& monitor) {
    return std::any_of(attached.begin(), attached.end(),
                       [&](const auto& now) { return now.monitor == monitor.monitor; });
  };
  const auto pictureLost = [&](const MonitorWallpaper& monitor) {
    return monitor.picture.empty() || !files.FileExists(monitor.picture);
  };
  // A monitor that showed a solid colour (no picture), or whose picture is gone, cannot be given
  // that back on its own: the wallpaper is taken off every monitor first, which leaves the
  // background colour, and the others get their pictures again after it. Left alone, it would go
  // on showing Mirella's picture.
  const bool anyLost = std::any_of(monitors.begin(), monitors.end(), [&](const auto& monitor) {
    return isAttached(monitor) && pictureLost(monitor);
  });
  if (anyLost) {
    if (Status cleared = shell.SetPictureWallpaper(""); !cleared && first) {
      first = std::move(cleared);
    }
  }
  for (const MonitorWallpaper& monitor : monitors) {
    if (!isAttached(monitor) || pictureLost(monitor)) continue;
    if (Status shown = shell.SetMonitorWallpaper(monitor.monitor, monitor.picture);
        !shown && first) {
      first = std::move(shown);
    }
  }
  return first;
}

}  // namespace mirella
