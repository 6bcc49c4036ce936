#include "install/restore.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "install/desktop_places.h"
#include "install/desktop_snapshot.h"
#include "install/previous_desktop.h"

namespace mirella {
namespace {

RestoreOutcome Stopped(RestoreResult result, Status failure = Status::Ok()) {
  return {result, std::move(failure), {}, {}, Status::Ok()};
}

// The saved desktop, or why there is none to restore.
std::optional<RestoreOutcome> LoadSaved(const FileSystem& files, const DesktopPlaces& places,
                                        PreviousDesktop& old) {
  auto saved = LoadSavedDesktop(files, places);
  if (!saved) return Stopped(RestoreResult::kFailed, saved.status());
  switch (saved.value().state) {
    case SavedDesktopState::kNone: return Stopped(RestoreResult::kNothingSaved);
    case SavedDesktopState::kUntrusted: return Stopped(RestoreResult::kUntrusted);
    case SavedDesktopState::kSaved: break;
  }
  old = std::move(saved).value().desktop;
  return std::nullopt;
}

// One restore, item by item. Every item is tried, whatever failed before it, so that as much as
// possible is back and the report is complete.
class RestoreRun {
 public:
  RestoreRun(const RestoreServices& services, const DesktopPlaces& places,
             const PreviousDesktop& old)
      : services_(services), places_(places), old_(old) {}

  void PutBackDesktopFile() {
    FileSystem& files = services_.files;
    if (!old_.desktopFile) {
      Record(AppliedItem::kDesktopFile, files.RemoveFile(places_.desktopFile));
      return;
    }
    Status put = files.CreateDirectories(places_.desktopFolder);
    if (put) put = PutBackFile(files, places_.desktopFile, &old_.desktopFile->bytes);
    if (put) put = files.WriteAttributes(places_.desktopFile, old_.desktopFile->attributes);
    Record(AppliedItem::kDesktopFile, std::move(put));
  }

  // The first pass reports each value; a later pass only takes back a value it could not write.
  void PutValuesBack(bool firstPass) {
    for (std::size_t i = 0; i < kDesktopValues.size(); ++i) {
      const auto index = static_cast<DesktopValueIndex>(i);
      Status put = PutBackDesktopValue(services_.registry, index, old_.values[i]);
      if (firstPass) {
        Record(kDesktopValueItems[i], std::move(put));
      } else if (!put && std::erase(outcome_.restored, kDesktopValueItems[i]) != 0) {
        outcome_.notRestored.push_back({kDesktopValueItems[i], std::move(put)});
      }
    }
  }

  void ShowRestoredDesktop() {
    if (services_.shell.Kind() != DesktopKind::kPicture) {
      PutBackWebDesktop();
      services_.shell.RefreshPageDesktop();
      return;
    }
    // The values go back once more after the shell has rewritten the wallpaper value, so that
    // they stay exactly as saved (a REG_EXPAND_SZ value keeps its type).
    Status shown = services_.shell.SetPictureWallpaper(PictureToShow());
    // Then each monitor its own picture, where the shell had one per monitor.
    if (shown && !old_.monitors.empty()) {
      shown = ShowMonitorWallpapers(services_.shell, old_.monitors, old_.position,
                                    services_.files);
    }
    const bool pictureBack = shown.ok();
    Record(AppliedItem::kShownDesktop, std::move(shown));
    PutValuesBack(false);
    // The layer drew the program's desktop over the picture: it neither runs nor starts again.
    // While that picture is still shown, the layer stays to keep its links working.
    if (pictureBack) {
      Record(AppliedItem::kLayerStartup,
             services_.registry.DeleteValue(RegistryRoot::kCurrentUser, std::string(kRunKey),
                                            std::string(kLayerRunName)));
      services_.shell.EndDesktopLayer();
    }
    // Last: showing a picture ends a slideshow.
    if (old_.slideshow.running) {
      Record(AppliedItem::kSlideshow, services_.shell.StartSlideshow(old_.slideshow));
    }
  }

  // Restored when everything is back. The saved state then goes; where only that fails, the
  // desktop is back all the same and the outcome says what is left.
  RestoreOutcome Finish() {
    outcome_.result = RestoreResult::kFailed;
    if (!outcome_.notRestored.empty()) return std::move(outcome_);
    outcome_.leftBehind = RemoveSavedDesktop(services_.files, places_, old_);
    outcome_.result = RestoreResult::kRestored;
    return std::move(outcome_);
  }

 private:
  // The options go back only where they differ: a shell that refuses changes (a policy set since)
  // is no failure while they are as saved. The values are back before, as the shell saves them.
  void PutBackWebDesktop() {
    if (!old_.webDesktop || services_.shell.GetWebDesktopOptions() == old_.webDesktop) return;
    Record(AppliedItem::kWebDesktop,
           services_.shell.SetWebDesktopOptions(*old_.webDesktop)
               ? Status::Ok()
               : Status::Failure("Оболочка не приняла прежние настройки веб-рабочего стола."));
    // Saving its options, the shell writes the wallpaper values it holds in its own way.
    PutValuesBack(false);
  }

  // The copy of the picture the user saw, where the file the saved value names is gone or no
  // longer holds that picture (the shell's own copy, which the program's picture replaced).
  std::string PictureToShow() const {
    const std::string named = services_.registry.GetStringValue(
        RegistryRoot::kCurrentUser, std::string(kDesktopKey), std::string(kWallpaperName));
    const std::string copy = PictureCopyPath(places_, old_);
    if (copy.empty() || !services_.files.FileExists(copy)) return named;
    const auto copied = services_.files.ReadFile(copy);
    if (!copied) return named;
    const auto current = services_.files.ReadFile(named);
    return current && current.value() == copied.value() ? named : copy;
  }

  void Record(AppliedItem item, Status status) {
    if (status) {
      outcome_.restored.push_back(item);
    } else {
      outcome_.notRestored.push_back({item, std::move(status)});
    }
  }

  const RestoreServices& services_;
  const DesktopPlaces& places_;
  const PreviousDesktop& old_;
  RestoreOutcome outcome_;
};

}  // namespace

RestoreOutcome Restore(const RestoreServices& services) {
  const std::string appData = AppDataFolder(services.environment, services.registry);
  if (appData.empty()) return Stopped(RestoreResult::kNoAppDataFolder);
  const DesktopPlaces places = DesktopPlacesIn(appData);

  PreviousDesktop old;
  if (auto stopped = LoadSaved(services.files, places, old)) return std::move(*stopped);

  RestoreRun run(services, places, old);
  run.PutBackDesktopFile();
  run.PutValuesBack(true);
  run.ShowRestoredDesktop();
  return run.Finish();
}

}  // namespace mirella
