#include "install/shown_pictures.h"

#include "install/desktop_snapshot.h"

namespace mirella {
namespace {

// One of the files Apply writes: the picture folder's, or an earlier version's one picture.
bool ProgramPicture(const std::string& path, const DesktopPlaces& places) {
  return SamePath(path, places.picture) || NamesPictureFile(path, places.pictureFolder);
}

}  // namespace

std::vector<std::string> ShownPictures(const Registry& registry,
                                       const std::vector<MonitorWallpaper>& monitors) {
  std::vector<std::string> shown = {registry.GetStringValue(
      RegistryRoot::kCurrentUser, std::string(kDesktopKey), std::string(kWallpaperName))};
  for (const MonitorWallpaper& monitor : monitors) shown.push_back(monitor.picture);
  return shown;
}

std::pair<std::string, std::string> PictureStyleValues(PictureArrangement arrangement) {
  if (arrangement == PictureArrangement::kSpanned) return {"0", "1"};
  return {"2", "0"};
}

Status ShowPictureFiles(DesktopShell& shell, const DrawnDesktop& drawn,
                        const PictureFileSet& files) {
  if (drawn.arrangement != PictureArrangement::kPerMonitor) {
    return shell.SetPictureWallpaper(files.paths[0]);
  }
  if (Status fitted = shell.SetWallpaperPosition(kStretchPosition); !fitted) return fitted;
  for (std::size_t index = 0; index < files.paths.size(); ++index) {
    if (Status shown = shell.SetMonitorWallpaper(drawn.pictures[index].monitor, files.paths[index]);
        !shown) {
      return shown;
    }
  }
  return Status::Ok();
}

RedrawResult RedrawShownPictures(const DesktopContent& content, const std::string& programFolder,
                                 int primaryDpi, const RedrawServices& services) {
  const std::string appData = AppDataFolder(services.environment, services.registry);
  if (appData.empty()) return RedrawResult::kNotOurs;
  const DesktopPlaces places =
      DesktopPlacesIn(appData, LocalAppDataFolder(services.environment, services.registry));
  const std::vector<MonitorWallpaper> monitors = services.shell.GetMonitorWallpapers();
  const std::vector<std::string> shown = ShownPictures(services.registry, monitors);
  if (!ProgramPicture(shown[0], places)) return RedrawResult::kNotOurs;

  auto drawn = services.picture.Draw(content, programFolder, monitors, primaryDpi);
  if (!drawn || drawn.value().pictures.empty() ||
      drawn.value().pictures.size() > kMostPictureFiles) {
    return RedrawResult::kFailed;
  }
  const DrawnDesktop& desktop = drawn.value();
  const PictureFileSet set =
      NextPictureFiles(places.pictureFolder, shown, static_cast<int>(desktop.pictures.size()),
                       desktop.extension);
  if (!services.files.CreateDirectories(places.pictureFolder)) return RedrawResult::kFailed;
  for (std::size_t index = 0; index < set.paths.size(); ++index) {
    if (!services.files.WriteFileReplacing(set.paths[index], desktop.pictures[index].bytes)) {
      return RedrawResult::kFailed;
    }
  }
  const auto [style, tile] = PictureStyleValues(desktop.arrangement);
  const std::pair<std::string_view, std::string> values[] = {
      {kWallpaperStyleName, style}, {kTileWallpaperName, tile}, {kWallpaperName, set.paths[0]}};
  for (const auto& [name, text] : values) {
    services.registry.SetStringValue(RegistryRoot::kCurrentUser, std::string(kDesktopKey),
                                     std::string(name), text);
  }
  if (!ShowPictureFiles(services.shell, desktop, set)) return RedrawResult::kFailed;
  RemoveStalePictureFiles(services.files, places.pictureFolder, set);
  services.files.RemoveFile(places.picture);
  return RedrawResult::kRedrawn;
}

}  // namespace mirella
