#include "install/restore.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "install/desktop_places.h"
#include "install/previous_desktop.h"

namespace mirella {
namespace {

constexpr AppliedItem kValueItems[] = {AppliedItem::kDesktopWallpaper, AppliedItem::kWallpaperStyle,
                                       AppliedItem::kTileWallpaper, AppliedItem::kPageWallpaper};
static_assert(std::size(kValueItems) == kDesktopValues.size());

Status PutBack(Registry& registry, const DesktopValue& value,
               const std::optional<RegistryValue>& old) {
  const std::string key(value.key);
  const std::string name(value.name);
  return old ? registry.WriteValue(RegistryRoot::kCurrentUser, key, name, *old)
             : registry.DeleteValue(RegistryRoot::kCurrentUser, key, name);
}

Status PutBack(FileSystem& files, const std::string& path, const std::optional<SavedFile>& old) {
  if (!old) return files.RemoveFile(path);
  if (Status written = files.WriteFileReplacing(path, old->bytes); !written) return written;
  return files.WriteAttributes(path, old->attributes);
}

}  // namespace

RestoreOutcome Restore(const RestoreServices& services) {
  const std::string appData = AppDataFolder(services.environment, services.registry);
  if (appData.empty()) return {RestoreResult::kNoAppDataFolder, Status::Ok(), {}, {}};
  const DesktopPlaces places = DesktopPlacesIn(appData);

  auto saved = LoadSavedDesktop(services.files, places);
  if (!saved) return {RestoreResult::kFailed, saved.status(), {}, {}};
  switch (saved.value().state) {
    case SavedDesktopState::kNone: return {RestoreResult::kNothingSaved, Status::Ok(), {}, {}};
    case SavedDesktopState::kUntrusted: return {RestoreResult::kUntrusted, Status::Ok(), {}, {}};
    case SavedDesktopState::kSaved: break;
  }
  const PreviousDesktop& old = saved.value().desktop;

  // Every item is tried, whatever failed before it, so that as much as possible is back and
  // the report is complete.
  RestoreOutcome outcome;
  auto record = [&outcome](AppliedItem item, Status status) {
    if (status) {
      outcome.restored.push_back(item);
    } else {
      outcome.notRestored.push_back({item, std::move(status)});
    }
  };

  if (!old.desktopFile) {
    record(AppliedItem::kDesktopFile, services.files.RemoveFile(places.desktopFile));
  } else {
    Status created = services.files.CreateDirectories(places.desktopFolder);
    record(AppliedItem::kDesktopFile,
           created ? PutBack(services.files, places.desktopFile, old.desktopFile) : created);
  }
  // The first pass reports each value; a later pass only takes back a value it could not write.
  auto putValuesBack = [&](bool firstPass) {
    for (std::size_t i = 0; i < kDesktopValues.size(); ++i) {
      Status put = PutBack(services.registry, kDesktopValues[i], old.values[i]);
      if (firstPass) {
        record(kValueItems[i], std::move(put));
      } else if (!put && std::erase(outcome.restored, kValueItems[i]) != 0) {
        outcome.notRestored.push_back({kValueItems[i], std::move(put)});
      }
    }
  };
  putValuesBack(true);

  if (services.shell.Kind() == DesktopKind::kPicture) {
    // The shell takes the picture's path with its variables expanded, reads the style from the
    // registry and rewrites the wallpaper value itself: the values go back once more after it,
    // so that they stay exactly as saved (a REG_EXPAND_SZ value keeps its type).
    const std::string picture = services.registry.GetStringValue(
        RegistryRoot::kCurrentUser, std::string(kDesktopKey), std::string(kWallpaperName));
    record(AppliedItem::kShownDesktop, services.shell.SetPictureWallpaper(picture));
    putValuesBack(false);
    // The layer drew the program's desktop over the picture: it neither runs nor starts again.
    record(AppliedItem::kLayerStartup,
           services.registry.DeleteValue(RegistryRoot::kCurrentUser, std::string(kRunKey),
                                         std::string(kLayerRunName)));
    services.shell.EndDesktopLayer();
  } else {
    services.shell.RefreshPageDesktop();
  }

  if (!outcome.notRestored.empty()) {
    outcome.result = RestoreResult::kFailed;
    return outcome;
  }
  if (Status removed = services.files.RemoveFile(places.savedDesktop); !removed) {
    outcome.result = RestoreResult::kFailed;
    outcome.notRestored.push_back({AppliedItem::kSavedDesktop, std::move(removed)});
    return outcome;
  }
  outcome.result = RestoreResult::kRestored;
  return outcome;
}

}  // namespace mirella
