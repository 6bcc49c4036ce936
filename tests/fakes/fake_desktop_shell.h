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
  Status SetPictureWallpaper(const std::string& path) override {
    shownPictures.push_back(path);
    const bool refused = path == refusedPicture;
    if (registry != nullptr && !refused) {
      registry->SetStringValue(RegistryRoot::kCurrentUser, "Control Panel\\Desktop", "Wallpaper",
                               path);
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
};

// Draws the desktop as fixed bytes, or fails.
class FakeDesktopPicture : public DesktopPicture {
 public:
  Result<std::string> DrawBmp(const DesktopContent& /*content*/,
                              const std::string& /*programFolder*/) const override {
    if (fail) return Status::Failure("Не удалось нарисовать Рабочий стол.");
    return bytes;
  }
  std::string bytes = "BM picture";
  bool fail = false;
};

}  // namespace mirella::testing
