#pragma once
// Apply: installs the edited desktop for the current user and reports what happened. The
// settings page turns the outcome into its message and ends the program only when the desktop
// was applied.

#include <string>
#include <vector>

#include "content/desktop_content.h"
#include "generate/code_page.h"
#include "system/environment.h"
#include "system/file_system.h"
#include "system/registry.h"

namespace mirella {

struct ApplyServices {
  const Environment& environment;
  Registry& registry;
  FileSystem& files;
  const CodePage& codePage;
};

enum class ApplyResult {
  kRefused,          // an entry has no link yet; nothing was written
  kNoAppDataFolder,  // neither the registry nor the shell names the application-data folder;
                     // nothing was written
  kFailed,           // a step failed; what it had changed was put back, except `notRestored`
  kApplied,          // everything is in place
};

// What Apply changes for the user, so that a failed rollback can say what keeps the new content.
enum class AppliedItem { kDesktopScript, kDesktopFile, kDesktopWallpaper };

struct RestoreFailure {
  AppliedItem item;
  Status reason;
};

struct ApplyOutcome {
  ApplyResult result = ApplyResult::kApplied;
  Status failure = Status::Ok();          // why Apply failed (kFailed)
  std::vector<RestoreFailure> notRestored;  // changes that could not be undone after the failure
};

ApplyOutcome Apply(const DesktopContent& content, const ApplyServices& services);

}  // namespace mirella
