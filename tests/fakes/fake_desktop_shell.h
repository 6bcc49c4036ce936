#pragma once
// A scripted shell for unit tests: the kind of desktop it shows, and a record of what it was
// asked to show. It refuses to show `refusedPicture`. Given a registry, it
// writes the wallpaper value as Windows does when it sets a picture: as REG_SZ, whatever it was.

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

  DesktopKind kind;
  Registry* registry = nullptr;
  std::string refusedPicture = "<none>";
  bool pageRefreshWorks = true;
  std::vector<std::string> shownPictures;  // every path asked for, in order
  int pageRefreshes = 0;
  std::vector<std::string> layerStarts;  // the program folder of every layer started
  bool layerRuns = false;
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
