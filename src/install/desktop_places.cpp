#include "install/desktop_places.h"

#include <utility>

#include "content/links.h"

namespace mirella {

std::string AppDataFolder(const Environment& environment, const Registry& registry) {
  std::string folder =
      registry.GetStringValue(RegistryRoot::kCurrentUser, std::string(kShellFoldersKey), "AppData");
  if (folder.empty()) folder = environment.ShellAppDataFolder();
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

std::string DesktopLayerCommand(const std::string& programFolder) {
  return "\"" + programFolder + "\\desktop.exe\" /layer";
}

DesktopPlaces DesktopPlacesIn(const std::string& appData) {
  DesktopPlaces places;
  places.desktopFolder = appData + "\\Microsoft\\Internet Explorer";
  places.desktopFile = places.desktopFolder + "\\Desktop.htt";
  places.dataFolder = appData + "\\Mirella";
  places.savedDesktop = places.dataFolder + "\\previous desktop.dat";
  places.picture = places.dataFolder + "\\desktop.bmp";
  places.previousPicture = places.dataFolder + "\\previous wallpaper";
  const std::string themes = appData + "\\Microsoft\\Windows\\Themes\\TranscodedWallpaper";
  places.shellWallpaperCopies = {themes, themes + ".jpg"};
  return places;
}

}  // namespace mirella
