#pragma once
// A scripted shell for unit tests: the kind of desktop it shows, and a record of what it was
// asked to show. It refuses to show `refusedPicture`. Given a registry, it
// writes the wallpaper value as Windows does when it sets a picture: as REG_SZ, whatever it was.
// Its web desktop and slideshow behave as documented: the options read back as set, a refused
// shell answers nothing, and a slideshow runs until it is stopped.

#include <optional>
#include <string>
#include <vector>

#include "install/desktop_picture.h"
#include "system/desktop_shell.h"
#include "system/registry.h"

namespace mirella::testing {

class FakeDesktopShell : public DesktopShell {
 public:
  explicit FakeDesktopShell(DesktopKind kind = DesktopKind::kPage) : kind(kind) {}
  DesktopKind Kind() const override { return kind; }
  // One picture for all: on a shell with a picture per monitor, every monitor shows it (none
  // for "").
  Status SetPictureWallpaper(const std::string& path) override {
    shownPictures.push_back(path);
    const bool refused = path == refusedPicture;
    if (!refused) {
      if (registry != nullptr) {
        registry->SetStringValue(RegistryRoot::kCurrentUser, "Control Panel\\Desktop",
                                 "Wallpaper", path);
      }
      for (MonitorWallpaper& monitor : monitors) monitor.picture = path;
    }
    return refused ? Status::Failure("Не удалось сменить рисунок Рабочего стола.")
                       : Status::Ok();
  }
  bool RefreshPageDesktop() override {
    ++pageRefreshes;
    return pageRefreshWorks;
  }
  bool StartDesktopLayer(const std::string& programFolder) override {
    layerStarts.push_back(programFolder);
    layerRuns = true;
    return true;
  }
  void EndDesktopLayer() override { layerRuns = false; }

  std::optional<WebDesktopOptions> GetWebDesktopOptions() override { return webDesktop; }
  bool SetWebDesktopOptions(const WebDesktopOptions& options) override {
    if (!webDesktop || webDesktopRefusesChanges) return false;
    webDesktop = options;
    return true;
  }

  Result<SlideshowState> GetSlideshowState() override { return slideshow; }
  Status StopSlideshow() override {
    slideshow.running = false;
    return Status::Ok();
  }
  Status StartSlideshow(const SlideshowState& started) override {
    if (started.items.empty()) return Status::Failure("Показ слайдов пуст.");
    slideshow = started;
    slideshow.running = true;
    return Status::Ok();
  }

  // Per monitor as the shell's object does it: a monitor it does not know is refused, and the
  // wallpaper value names the last picture set. `refusedPicture` is refused here too.
  std::vector<MonitorWallpaper> GetMonitorWallpapers() override { return monitors; }
  Status SetMonitorWallpaper(const std::string& monitor, const std::string& path) override {
    if (path == refusedPicture) return Status::Failure("Не удалось сменить рисунок монитора.");
    for (MonitorWallpaper& known : monitors) {
      if (known.monitor != monitor) continue;
      known.picture = path;
      monitorPicturesSet.push_back(path);
      if (registry != nullptr) {
        registry->SetStringValue(RegistryRoot::kCurrentUser, "Control Panel\\Desktop",
                                 "Wallpaper", path);
      }
      return Status::Ok();
    }
    return Status::Failure("Монитор " + monitor + " не подключён.");
  }
  std::optional<int> GetWallpaperPosition() override {
    if (monitors.empty()) return std::nullopt;
    return position;
  }
  Status SetWallpaperPosition(int set) override {
    if (monitors.empty()) return Status::Failure("Нет объекта обоев.");
    position = set;
    return Status::Ok();
  }

  DesktopKind kind;
  Registry* registry = nullptr;
  std::string refusedPicture = "<none>";
  bool pageRefreshWorks = true;
  std::vector<std::string> shownPictures;  // every path asked for, in order
  int pageRefreshes = 0;
  std::vector<std::string> layerStarts;  // the program folder of every layer started
  bool layerRuns = false;
  // nullopt: a shell that will not tell (Wine, a policy); XP's default profile has it off.
  std::optional<WebDesktopOptions> webDesktop = WebDesktopOptions{};
  bool webDesktopRefusesChanges = false;
  SlideshowState slideshow;
  // Empty: a shell with one wallpaper for all monitors (before Windows 8, Wine).
  std::vector<MonitorWallpaper> monitors;
  int position = 4;                             // fill, the shell's own default
  std::vector<std::string> monitorPicturesSet;  // every picture set on a monitor, in order
};

// Draws fixed bytes: one picture, or one per monitor where the shell has them; or fails.
class FakeDesktopPicture : public DesktopPicture {
 public:
  Result<DrawnDesktop> Draw(const DesktopContent& /*content*/, const std::string& /*programFolder*/,
                            const std::vector<MonitorWallpaper>& monitors,
                            int /*primaryDpi*/) const override {
    if (fail) return Status::Failure("Не удалось нарисовать Рабочий стол.");
    DrawnDesktop drawn;
    if (monitors.size() > 1) {
      drawn.arrangement = PictureArrangement::kPerMonitor;
      drawn.extension = "png";
      for (const MonitorWallpaper& monitor : monitors) {
        drawn.pictures.push_back({monitor.monitor, bytes + " for " + monitor.monitor});
      }
    } else {
      drawn.arrangement = spanned ? PictureArrangement::kSpanned : PictureArrangement::kSingle;
      drawn.pictures.push_back({"", bytes});
    }
    return drawn;
  }
  std::string bytes = "BM picture";
  bool spanned = false;  // one picture over several monitors
  bool fail = false;
};

}  // namespace mirella::testing
