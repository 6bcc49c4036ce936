#include "system/apply.h"

#include <optional>
#include <utility>

#include "content/links.h"
#include "generate/desktop_script.h"
#include "generate/theme_page.h"

namespace mirella {
namespace {

constexpr std::string_view kCommandTitle = "Применение изменений.";
constexpr std::string_view kRefusal =
    "Для некоторых значков еще нет ссылок.\r\nНастройте ссылки и повторите попытку.";
constexpr std::string_view kApplied =
    "Изменения сохранены. Обновите Ваш Рабочий стол, чтобы увидеть результат!\r\n"
    "Для лучшего отображения, убедитесь, что опция \"Отображать значки на Рабочем столе\" "
    "в контекстном меню отключена.";
constexpr std::string_view kFailedHeading = "Не удалось применить изменения.\r\n";
constexpr std::string_view kNoAppData =
    "Не удалось определить папку данных приложений пользователя: значение \"AppData\" "
    "в реестре пусто, и система не сообщила эту папку. Ничего не изменено.";

constexpr std::string_view kWallpaperName = "Wallpaper";
constexpr std::string_view kDesktopWallpaperKey = "Control Panel\\Desktop";
constexpr std::string_view kActiveDesktopWallpaperKey =
    "Software\\Microsoft\\Internet Explorer\\Desktop\\General";

ApplyOutcome Failed(const Status& status) {
  return {ApplyResult::kFailed, std::string(kFailedHeading) + status.message(),
          std::string(kCommandTitle)};
}

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

// A file as it was before Apply changed it, so that a later failure can put it back.
class FileSnapshot {
 public:
  FileSnapshot(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {
    existed_ = files_.FileExists(path_);
    if (existed_) {
      if (auto read = files_.ReadFile(path_)) bytes_ = std::move(read).value();
    }
  }
  // The old bytes back, or no file where there was none. A file that existed but could not be
  // read is left alone rather than lost.
  void Restore() {
    if (!existed_) {
      files_.RemoveFile(path_);
    } else if (bytes_) {
      files_.WriteFileReplacing(path_, *bytes_);
    }
  }

 private:
  FileSystem& files_;
  std::string path_;
  bool existed_ = false;
  std::optional<std::string> bytes_;
};

// Points both wallpaper values at the page. When the second cannot be written, the first gets
// its old text back, so that the two never disagree.
Status SetWallpaperValues(Registry& registry, const std::string& page) {
  const std::string name(kWallpaperName);
  const std::string firstKey(kDesktopWallpaperKey);
  const std::string oldFirst = registry.GetStringValue(RegistryRoot::kCurrentUser, firstKey, name);
  if (Status set = registry.SetStringValue(RegistryRoot::kCurrentUser, firstKey, name, page);
      !set) {
    return set;
  }
  Status set = registry.SetStringValue(RegistryRoot::kCurrentUser,
                                       std::string(kActiveDesktopWallpaperKey), name, page);
  if (!set) registry.SetStringValue(RegistryRoot::kCurrentUser, firstKey, name, oldFirst);
  return set;
}

}  // namespace

ApplyOutcome Apply(const DesktopContent& content, const ApplyServices& services) {
  if (FirstUnmarkedEntry(content) >= 0) {
    return {ApplyResult::kRefused, std::string(kRefusal), std::string(kCommandTitle)};
  }

  const std::string appData = AppDataFolder(services);
  if (appData.empty()) {
    return {ApplyResult::kFailed, std::string(kFailedHeading) + std::string(kNoAppData),
            std::string(kCommandTitle)};
  }

  FileSystem& files = services.files;
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

  // Any later failure puts the script and the desktop file back as they were.
  FileSnapshot oldScript(files, DesktopScriptPath(programFolder));
  if (Status written = SetChanges(content, programFolder, files, services.codePage); !written) {
    return Failed(written);
  }

  const std::string desktopFolder = appData + "\\Microsoft\\Internet Explorer";
  if (Status created = files.CreateDirectories(desktopFolder); !created) {
    oldScript.Restore();
    return Failed(created);
  }
  const std::string desktopFile = desktopFolder + "\\Desktop.htt";
  FileSnapshot oldDesktopFile(files, desktopFile);
  if (Status copied = files.CopyFileReplacing(themePage, desktopFile); !copied) {
    oldScript.Restore();
    return Failed(copied);
  }

  // Registry last: the wallpaper values name the page only once everything it needs is there.
  if (Status set = SetWallpaperValues(services.registry, themePage); !set) {
    oldDesktopFile.Restore();
    oldScript.Restore();
    return Failed(set);
  }
  return {ApplyResult::kApplied, std::string(kApplied), std::string()};
}

}  // namespace mirella
