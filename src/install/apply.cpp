#include "install/apply.h"

#include <functional>
#include <optional>
#include <utility>

#include "content/links.h"
#include "generate/desktop_script.h"
#include "generate/theme_page.h"

namespace mirella {
namespace {

constexpr std::string_view kWallpaperName = "Wallpaper";
constexpr std::string_view kDesktopWallpaperKey = "Control Panel\\Desktop";
constexpr std::string_view kActiveDesktopWallpaperKey =
    "Software\\Microsoft\\Internet Explorer\\Desktop\\General";

std::string WithoutTrailingBackslashes(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

// The user's application-data folder: the shell-folders value, or the shell's own answer when
// that value is empty. Empty when neither is known.
std::string AppDataFolder(const ApplyServices& services) {
  std::string folder = services.registry.GetStringValue(RegistryRoot::kCurrentUser,
                                                        std::string(kShellFoldersKey), "AppData");
  if (folder.empty()) folder = services.environment.ShellAppDataFolder();
  return WithoutTrailingBackslashes(std::move(folder));
}

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

  const std::string appData = AppDataFolder(services);
  if (appData.empty()) return {ApplyResult::kNoAppDataFolder, Status::Ok(), {}};

  FileSystem& files = services.files;
  Registry& registry = services.registry;
  const std::string programFolder = services.environment.ProgramFolder();
  const std::string themePage = ThemePagePath(programFolder);

  // The configure command reaches Apply without the loading sequence, which writes the page; and
  // a page left by a copy of the program in another folder would point the desktop there.
  const auto currentPage = files.ReadFile(themePage);
  if (!currentPage || currentPage.value() != ThemePage(programFolder, services.codePage)) {
    if (Status written = WriteThemes(programFolder, files, services.codePage); !written) {
      return Failed(written);
    }
  }

  const std::string desktopFolder = appData + "\\Microsoft\\Internet Explorer";
  if (Status created = files.CreateDirectories(desktopFolder); !created) return Failed(created);
  const std::string desktopFile = desktopFolder + "\\Desktop.htt";

  // Everything Apply replaces is read before the first change: what cannot be read could not be
  // put back, so Apply stops here instead.
  auto oldScript = FileSnapshot::Take(files, DesktopScriptPath(programFolder));
  if (!oldScript) return Failed(oldScript.status());
  auto oldDesktopFile = FileSnapshot::Take(files, desktopFile);
  if (!oldDesktopFile) return Failed(oldDesktopFile.status());
  auto oldWallpaper = ValueSnapshot::Take(registry, std::string(kDesktopWallpaperKey),
                                          std::string(kWallpaperName));
  if (!oldWallpaper) return Failed(oldWallpaper.status());

  Rollback rollback;
  if (Status written = SetChanges(content, programFolder, files, services.codePage); !written) {
    return rollback.Fail(written);
  }
  rollback.Add(AppliedItem::kDesktopScript, [&] { return oldScript.value().Restore(); });

  if (Status copied = files.CopyFileReplacing(themePage, desktopFile); !copied) {
    return rollback.Fail(copied);
  }
  rollback.Add(AppliedItem::kDesktopFile, [&] { return oldDesktopFile.value().Restore(); });

  // Registry last: the wallpaper values name the page only once everything it needs is there. A
  // value that fails to be written is left as it was, so only the first one needs undoing.
  const std::string name(kWallpaperName);
  if (Status set = registry.SetStringValue(RegistryRoot::kCurrentUser,
                                           std::string(kDesktopWallpaperKey), name, themePage);
      !set) {
    return rollback.Fail(set);
  }
  rollback.Add(AppliedItem::kDesktopWallpaper, [&] { return oldWallpaper.value().Restore(); });
  if (Status set = registry.SetStringValue(RegistryRoot::kCurrentUser,
                                           std::string(kActiveDesktopWallpaperKey), name, themePage);
      !set) {
    return rollback.Fail(set);
  }
  return {ApplyResult::kApplied, Status::Ok(), {}};
}

}  // namespace mirella
