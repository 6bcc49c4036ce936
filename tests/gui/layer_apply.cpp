// Runs Apply from the folder it stands in, as desktop.exe would, with the desktop drawn by the
// program's own renderer: on a system whose desktop shows pictures only this starts the desktop
// layer. Writes "applied" (or the failure) and then, one per line, where the layer shows the
// title, the emblem and each row's picture and caption, laid out by the renderer for the primary
// monitor's work area at its DPI, as the picture and the layer lay them out: the GUI test points
// at them.
// Then it stays until it is ended, so that Wine's virtual desktop it runs in stays open.
//
//   layer_apply.exe <result file>

#include <windows.h>

#include <fstream>
#include <string>

#include "app/desktop_frame_win32.h"
#include "app/wallpaper_pictures_win32.h"
#include "content/default_content.h"
#include "generate/code_page_win32.h"
#include "install/apply.h"
#include "render/desktop_renderer_win32.h"
#include "system/desktop_shell_win32.h"
#include "system/environment_win32.h"
#include "system/file_system_win32.h"
#include "system/registry_win32.h"
#include "win32/dpi.h"

namespace {

std::string Line(const char* name, int entry, const mirella::render::Rect& rect) {
  return std::string(name) + " " + std::to_string(entry) + " " + std::to_string(rect.left) + " " +
         std::to_string(rect.top) + " " + std::to_string(rect.right) + " " +
         std::to_string(rect.bottom) + "\n";
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (__argc != 2) return 2;
  mirella::ui::win32::DeclareDpiAwareness();
  mirella::Win32Environment environment;
  mirella::Win32Registry registry;
  mirella::Win32FileSystem files;
  mirella::SystemCodePage codePage;
  mirella::Win32DesktopShell shell;
  const mirella::app::ScreenDesktopPictures picture(files);

  mirella::DesktopContent content;
  mirella::SetValues(content, mirella::LinkSources{environment, registry, files});
  content.linkMark.fill(mirella::kLinkMarked);
  const mirella::ApplyOutcome outcome = mirella::Apply(
      content, mirella::ApplyServices{environment, registry, files, codePage, shell, picture});

  std::string report = outcome.result == mirella::ApplyResult::kApplied
                           ? std::string("applied\n")
                           : "failed: " + outcome.failure.message() + "\n";
  const mirella::app::DesktopFrame frame = mirella::app::PrimaryDesktopFrame();
  const RECT& area = frame.workArea;
  report += Line("workarea", 0, {area.left, area.top, area.right, area.bottom});
  const mirella::render::DesktopRenderer renderer(frame.dpi / 96.0);
  const mirella::render::DesktopLayout layout =
      renderer.LayOut(content, area.right - area.left, area.bottom - area.top);
  report += Line("title", 0, layout.title.bounds);
  report += Line("emblem", 0, layout.emblem);
  for (const mirella::render::EntryRow& row : layout.rows) {
    report += Line("picture", row.entry, row.pictureBounds);
    report += Line("caption", row.entry, row.caption.bounds);
    report += Line("description", row.entry, row.description.bounds);
  }
  {
    // Written whole under another name and then renamed: the test never reads half of it.
    const std::wstring result = __wargv[1];
    const std::wstring partial = result + L".part";
    std::ofstream(partial.c_str(), std::ios::binary) << report;
    MoveFileExW(partial.c_str(), result.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  Sleep(10 * 60 * 1000);
  return 0;
}
