// Runs Apply from the folder it stands in, as desktop.exe would, with the desktop drawn as a
// picture of one colour the size of the primary monitor: for the GUI test of the picture desktop
// and its restore, which reads that colour back from the screen. The result ("applied", or the
// failure) goes to a file; then the program stays until it is ended, so that Wine's virtual
// desktop it runs in stays open for the test.
//
//   solid_desktop_apply.exe <result file> <red> <green> <blue>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "content/default_content.h"
#include "generate/code_page_win32.h"
#include "install/apply.h"
#include "support/solid_bmp.h"
#include "system/desktop_shell_win32.h"
#include "system/environment_win32.h"
#include "system/file_system_win32.h"
#include "system/registry_win32.h"
#include "win32/wide_text.h"

namespace {

class SolidScreenPicture : public mirella::DesktopPicture {
 public:
  SolidScreenPicture(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
      : red_(red), green_(green), blue_(blue) {}
  mirella::Result<mirella::DrawnDesktop> Draw(
      const mirella::DesktopContent&, const std::string&,
      const std::vector<mirella::MonitorWallpaper>&, int) const override {
    return mirella::DrawnDesktop{
        mirella::PictureArrangement::kSingle, "bmp",
        {{"", mirella::testing::SolidBmp(GetSystemMetrics(SM_CXSCREEN),
                                         GetSystemMetrics(SM_CYSCREEN), red_, green_, blue_)}}};
  }

 private:
  std::uint8_t red_, green_, blue_;
};

// The test reads the solid colour back from the screen: the desktop layer, which would draw the
// program's desktop over it, is not started.
class ShellWithoutLayer : public mirella::Win32DesktopShell {
 public:
  bool StartDesktopLayer(const std::string&) override { return false; }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (__argc != 5) return 2;
  auto colour = [](int index) {
    return static_cast<std::uint8_t>(std::wcstol(__wargv[index], nullptr, 10));
  };
  mirella::Win32Environment environment;
  mirella::Win32Registry registry;
  mirella::Win32FileSystem files;
  mirella::SystemCodePage codePage;
  ShellWithoutLayer shell;
  const SolidScreenPicture picture(colour(2), colour(3), colour(4));

  mirella::DesktopContent content;
  mirella::SetValues(content, mirella::LinkSources{environment, registry, files});
  content.linkMark.fill(mirella::kLinkMarked);
  const mirella::ApplyOutcome outcome = mirella::Apply(
      content, mirella::ApplyServices{environment, registry, files, codePage, shell, picture});
  {
    std::ofstream result(__wargv[1], std::ios::binary);
    result << (outcome.result == mirella::ApplyResult::kApplied
                   ? std::string("applied")
                   : "failed: " + outcome.failure.message());
  }
  Sleep(10 * 60 * 1000);
  return 0;
}
