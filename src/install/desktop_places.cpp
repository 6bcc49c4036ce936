#include "install/desktop_places.h"

#include <utility>

#include "content/links.h"

namespace mirella {

namespace {

std::string ShellFolder(const Registry& registry, const char* valueName, std::string shellAnswer) {
  std::string folder =
      registry.GetStringValue(RegistryRoot::kCurrentUser, std::string(kShellFoldersKey), valueName);
  if (folder.empty()) folder = std::move(shellAnswer);
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

}  // namespace

std::string AppDataFolder(const Environment& environment, const Registry& registry) {
  return ShellFolder(registry, "AppData", environment.ShellAppDataFolder());
}

std::string LocalAppDataFolder(const Environment& environment, const Registry& registry) {
  return ShellFolder(registry, "Local AppData", environment.ShellLocalAppDataFolder());
}

std::string DesktopLayerCommand(const std::string& programFolder) {
  return "\"" + programFolder + "\\desktop.exe\" /layer";
}

DesktopPlaces DesktopPlacesIn(const std::string& appData, const std::string& localAppData) {
  DesktopPlaces places;
  places.desktopFolder = appData + "\\Microsoft\\Internet Explorer";
  places.desktopFile = places.desktopFolder + "\\Desktop.htt";
  places.dataFolder = appData + "\\Mirella";
  places.savedDesktop = places.dataFolder + "\\previous desktop.dat";
  places.picture = places.dataFolder + "\\desktop.bmp";
  places.previousPicture = places.dataFolder + "\\previous wallpaper";
  const std::string themes = appData + "\\Microsoft\\Windows\\Themes\\TranscodedWallpaper";
  places.shellWallpaperCopies = {themes, themes + ".jpg"};
  places.pictureFolder = localAppData.empty() ? places.dataFolder : localAppData + "\\Mirella";
  return places;
}

}  // namespace mirella
