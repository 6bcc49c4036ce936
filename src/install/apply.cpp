#include "install/apply.h"

#include <functional>
#include <optional>
#include <utility>

#include "content/links.h"
#include "generate/desktop_script.h"
#include "generate/theme_page.h"
#include "install/desktop_places.h"
#include "install/previous_desktop.h"

namespace mirella {
namespace {

// A file as it was before Apply changed it. Taking one fails when the file exists but cannot be
// read: Apply must not replace what it could not put back.
class FileSnapshot {
 public:
  static Result<FileSnapshot> Take(FileSystem& files, std::string path) {
    FileSnapshot snapshot(files, std::move(path));
    if (files.FileExists(snapshot.path_)) {
      auto bytes = files.ReadFile(snapshot.path_);
      if (!bytes) return bytes.status();
      snapshot.bytes_ = std::move(bytes).value();
    }
    return snapshot;
  }
  // The old bytes back, or no file where there was none.
  Status Restore() const {
    return bytes_ ? files_.WriteFileReplacing(path_, *bytes_) : files_.RemoveFile(path_);
  }

 private:
  FileSnapshot(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}
  FileSystem& files_;
  std::string path_;
  std::optional<std::string> bytes_;  // nullopt: there was no file
};

// A registry value as it was, with its type and raw data, or its absence.
class ValueSnapshot {
 public:
  static Result<ValueSnapshot> Take(Registry& registry, std::string key, std::string name) {
    auto old = registry.ReadValue(RegistryRoot::kCurrentUser, key, name);
    if (!old) return old.status();
    return ValueSnapshot(registry, std::move(key), std::move(name), std::move(old).value());
  }
  Status Restore() const {
    return old_ ? registry_.WriteValue(RegistryRoot::kCurrentUser, key_, name_, *old_)
                : registry_.DeleteValue(RegistryRoot::kCurrentUser, key_, name_);
  }

 private:
  ValueSnapshot(Registry& registry, std::string key, std::string name,
                std::optional<RegistryValue> old)
      : registry_(registry), key_(std::move(key)), name_(std::move(name)), old_(std::move(old)) {}
  Registry& registry_;
  std::string key_;
  std::string name_;
  std::optional<RegistryValue> old_;
};

// The undo steps of the changes made so far. After a failure they run newest first, and every
// one that fails is reported, so that the user learns what still holds the new content.
class Rollback {
 public:
  void Add(AppliedItem item, std::function<Status()> undo) {
    steps_.push_back({item, std::move(undo)});
  }
  ApplyOutcome Fail(Status failure) const {
    ApplyOutcome outcome{ApplyResult::kFailed, std::move(failure), {}};
    for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
      if (Status undone = step->undo(); !undone) {
        outcome.notRestored.push_back({step->item, std::move(undone)});
      }
    }
    return outcome;
  }

 private:
  struct Step {
    AppliedItem item;
    std::function<Status()> undo;
  };
  std::vector<Step> steps_;
};

ApplyOutcome Failed(Status failure) { return {ApplyResult::kFailed, std::move(failure), {}}; }

}  // namespace

ApplyOutcome Apply(const DesktopContent& content, const ApplyServices& services) {
  if (FirstUnmarkedEntry(content) >= 0) return {ApplyResult::kRefused, Status::Ok(), {}};

  const std::string appData = AppDataFolder(services.environment, services.registry);
  if (appData.empty()) return {ApplyResult::kNoAppDataFolder, Status::Ok(), {}};
  const DesktopPlaces places = DesktopPlacesIn(appData);

  FileSystem& files = services.files;
  Registry& registry = services.registry;
  const std::string programFolder = services.environment.ProgramFolder();
  const std::string themePage = ThemePagePath(programFolder);
  const bool pictureDesktop = services.shell.Kind() == DesktopKind::kPicture;

  // The previous desktop is saved before anything changes. When this run saved it and the
  // rollback puts everything back, the saved copy goes too: the desktop is the user's own again.
  auto savedNow = SavePreviousDesktopOnce(registry, files, places);
  if (!savedNow) return Failed(savedNow.status());
  Rollback rollback;
  auto fail = [&](Status failure) {
    ApplyOutcome outcome = rollback.Fail(std::move(failure));
    if (savedNow.value() && outcome.notRestored.empty()) files.RemoveFile(places.savedDesktop);
    return outcome;
  };

  // The configure command reaches Apply without the loading sequence, which writes the page; and
  // a page left by a copy of the program in another folder would point the desktop there.
  const auto currentPage = files.ReadFile(themePage);
  if (!currentPage || currentPage.value() != ThemePage(programFolder, services.codePage)) {
    if (Status written = WriteThemes(programFolder, files, services.codePage); !written) {
      return fail(written);
    }
  }

  if (Status created = files.CreateDirectories(places.desktopFolder); !created) {
    return fail(created);
  }

  // The picture is drawn before the first change to the desktop: drawing is the step most likely
  // to fail, and it changes nothing.
  std::string pictureBytes;
  if (pictureDesktop) {
    auto drawn = services.picture.DrawBmp(content, programFolder);
    if (!drawn) return fail(drawn.status());
    pictureBytes = std::move(drawn).value();
  }

  // Everything Apply replaces is read before the first change: what cannot be read could not be
  // put back, so Apply stops here instead.
  auto oldScript = FileSnapshot::Take(files, DesktopScriptPath(programFolder));
  if (!oldScript) return fail(oldScript.status());
  auto oldDesktopFile = FileSnapshot::Take(files, places.desktopFile);
  if (!oldDesktopFile) return fail(oldDesktopFile.status());
  auto oldPicture = FileSnapshot::Take(files, places.picture);
  if (!oldPicture) return fail(oldPicture.status());
  std::vector<ValueSnapshot> oldValues;
  for (const DesktopValue& value : kDesktopValues) {
    auto old = ValueSnapshot::Take(registry, std::string(value.key), std::string(value.name));
    if (!old) return fail(old.status());
    oldValues.push_back(std::move(old).value());
  }
  const ValueSnapshot& oldWallpaper = oldValues[0];
  const ValueSnapshot& oldStyle = oldValues[1];
  const ValueSnapshot& oldTile = oldValues[2];
  const ValueSnapshot& oldPageWallpaper = oldValues[3];
  std::optional<ValueSnapshot> oldLayerStartup;
  if (pictureDesktop) {
    auto old = ValueSnapshot::Take(registry, std::string(kRunKey), std::string(kLayerRunName));
    if (!old) return fail(old.status());
    oldLayerStartup.emplace(std::move(old).value());
  }

  if (Status written = SetChanges(content, programFolder, files, services.codePage); !written) {
    return fail(written);
  }
  rollback.Add(AppliedItem::kDesktopScript, [&] { return oldScript.value().Restore(); });

  if (Status copied = files.CopyFileReplacing(themePage, places.desktopFile); !copied) {
    return fail(copied);
  }
  rollback.Add(AppliedItem::kDesktopFile, [&] { return oldDesktopFile.value().Restore(); });

  // Registry last: the wallpaper values name the page or the picture only once everything they
  // need is there. A value that fails to be written is left as it was.
  auto setValue = [&](AppliedItem item, const ValueSnapshot& old, std::string_view key,
                      std::string_view name, const std::string& text) {
    Status set = registry.SetStringValue(RegistryRoot::kCurrentUser, std::string(key),
                                         std::string(name), text);
    if (set) rollback.Add(item, [&old] { return old.Restore(); });
    return set;
  };

  if (!pictureDesktop) {
    if (Status set = setValue(AppliedItem::kDesktopWallpaper, oldWallpaper, kDesktopKey,
                              kWallpaperName, themePage);
        !set) {
      return fail(set);
    }
    if (Status set = setValue(AppliedItem::kPageWallpaper, oldPageWallpaper, kPageDesktopKey,
                              kWallpaperName, themePage);
        !set) {
      return fail(set);
    }
    // The settings are in place whether or not the shell shows them at once; the message asks
    // the user to refresh the desktop.
    services.shell.RefreshPageDesktop();
    return {ApplyResult::kApplied, Status::Ok(), {}};
  }

  if (Status written = files.WriteFileReplacing(places.picture, pictureBytes); !written) {
    return fail(written);
  }
  rollback.Add(AppliedItem::kPicture, [&] { return oldPicture.value().Restore(); });

  // Once the shell has been told of the picture, taking it back means showing the old wallpaper
  // again. This step runs after the old values are back: the shell reads the style from the
  // registry and rewrites the wallpaper value itself, so that value is put back exactly after it.
  bool shellChanged = false;
  rollback.Add(AppliedItem::kShownDesktop, [&]() -> Status {
    if (!shellChanged) return Status::Ok();
    const std::string old = registry.GetStringValue(
        RegistryRoot::kCurrentUser, std::string(kDesktopKey), std::string(kWallpaperName));
    if (Status shown = services.shell.SetPictureWallpaper(old); !shown) return shown;
    return oldWallpaper.Restore();
  });

  struct Setting {
    AppliedItem item;
    const ValueSnapshot& old;
    std::string_view key;
    std::string_view name;
    std::string text;
  };
  // Stretched over the whole screen, not tiled: the picture is the screen's size.
  const Setting settings[] = {
      {AppliedItem::kPageWallpaper, oldPageWallpaper, kPageDesktopKey, kWallpaperName, themePage},
      {AppliedItem::kWallpaperStyle, oldStyle, kDesktopKey, kWallpaperStyleName, "2"},
      {AppliedItem::kTileWallpaper, oldTile, kDesktopKey, kTileWallpaperName, "0"},
      {AppliedItem::kDesktopWallpaper, oldWallpaper, kDesktopKey, kWallpaperName, places.picture},
      // The layer over the picture makes its entries' links work; it starts at every logon.
      {AppliedItem::kLayerStartup, *oldLayerStartup, kRunKey, kLayerRunName,
       DesktopLayerCommand(programFolder)},
  };
  for (const Setting& setting : settings) {
    if (Status set = setValue(setting.item, setting.old, setting.key, setting.name, setting.text);
        !set) {
      return fail(set);
    }
  }

  shellChanged = true;
  if (Status shown = services.shell.SetPictureWallpaper(places.picture); !shown) {
    return fail(shown);
  }
  // Without a layer the desktop is all there, only its links do not open: not a failure.
  services.shell.StartDesktopLayer(programFolder);
  return {ApplyResult::kApplied, Status::Ok(), {}};
}

}  // namespace mirella
