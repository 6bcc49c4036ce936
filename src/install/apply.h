#pragma once
// Apply: installs the edited desktop for the current user and reports what happened. The
// settings page turns the outcome into its message and ends the program only when the desktop
// was applied.
//
// Where the shell shows a page as the desktop, both wallpaper values name the theme page, the web
// desktop is switched on where it is off, and the shell is asked to show the page at once. Where
// it shows pictures only, the page is installed all the same (a browser shows it), a running
// slideshow is stopped, and the desktop drawn as a picture becomes the wallpaper. Before the
// first change the user's previous desktop is saved, once, so that Restore can bring it back.
// Where a policy fixes the wallpaper nothing is changed: the policy would win.

#include <string>
#include <vector>

#include "content/desktop_content.h"
#include "generate/code_page.h"
#include "install/desktop_picture.h"
#include "system/desktop_shell.h"
#include "system/environment.h"
#include "system/file_system.h"
#include "system/registry.h"

namespace mirella {

struct ApplyServices {
  const Environment& environment;
  Registry& registry;
  FileSystem& files;
  const CodePage& codePage;
  DesktopShell& shell;
  const DesktopPicture& picture;  // used where the shell shows pictures only
};

enum class ApplyResult {
  kRefused,          // an entry has no link yet; nothing was written
  kNoAppDataFolder,  // neither the registry nor the shell names the application-data folder;
                     // nothing was written
  kFixedByPolicy,    // a policy decides the wallpaper (`policy` names it); nothing was written
  kFailed,           // a step failed; what it had changed was put back, except `notRestored`
  kApplied,          // everything is in place
};

// What Apply changes for the user, so that a failed rollback can say what keeps the new content;
// Restore reports on the same items.
enum class AppliedItem {
  kDesktopScript,
  kDesktopFile,
  kDesktopWallpaper,  // "Wallpaper" under "Control Panel\Desktop"
  kWallpaperStyle,
  kTileWallpaper,
  kPageWallpaper,     // "Wallpaper" under the page desktop's "General" key
  kPicture,           // the drawn desktop.bmp
  kShownDesktop,      // what the shell shows at the moment
  kSavedDesktop,      // the saved previous desktop
  kLayerStartup,      // the desktop layer's "Run" value, which starts it at logon
  kWebDesktop,        // the web desktop's options (page desktops)
  kSlideshow,         // the slideshow that changed the picture (picture desktops)
};

struct RestoreFailure {
  AppliedItem item;
  Status reason;
};

struct ApplyOutcome {
  ApplyResult result = ApplyResult::kApplied;
  Status failure = Status::Ok();          // why Apply failed (kFailed)
  std::vector<RestoreFailure> notRestored;  // changes that could not be undone after the failure
  std::string policy;                       // the policy value that refused (kFixedByPolicy)
  // kApplied on a page desktop whose web desktop is off and may not be switched on (a policy,
  // a shell that refuses): the page is installed and shows once the web desktop is allowed.
  bool pageNotShown = false;
};

ApplyOutcome Apply(const DesktopContent& content, const ApplyServices& services);

}  // namespace mirella
