#pragma once
// Restore: puts back the desktop the user had before the program first changed it, from the state
// Apply saved, and makes the shell show it at once: the wallpaper values and Desktop.htt, the web
// desktop's options, the picture the user saw (from its copy where the file the value names is
// gone or was overwritten) and a slideshow that ran. A restore that fails half-way keeps the
// saved state, so that it can be tried again, and reports what was and was not put back.

#include <vector>

#include "install/apply.h"
#include "system/desktop_shell.h"
#include "system/environment.h"
#include "system/file_system.h"
#include "system/registry.h"

namespace mirella {

struct RestoreServices {
  const Environment& environment;
  Registry& registry;
  FileSystem& files;
  DesktopShell& shell;
};

enum class RestoreResult {
  kRestored,          // everything is back; the saved state is gone unless `leftBehind` says why
  kNothingSaved,      // the program has not changed the desktop; nothing was touched
  kNoAppDataFolder,   // the application-data folder is unknown; nothing was touched
  kUntrusted,         // the saved file is damaged or not the program's; nothing was touched
  kFailed,            // `failure` says why; `restored` and `notRestored` what was done
};

struct RestoreOutcome {
  RestoreResult result = RestoreResult::kRestored;
  Status failure = Status::Ok();          // the saved state could not be read (kFailed)
  std::vector<AppliedItem> restored;      // put back as they were
  std::vector<RestoreFailure> notRestored;  // left as they are, each with its reason
  Status leftBehind = Status::Ok();       // kRestored: why the saved state could not be removed
};

RestoreOutcome Restore(const RestoreServices& services);

}  // namespace mirella
