#pragma once
// Apply: installs the edited desktop for the current user. One entry point for the settings page,
// which shows the returned message and ends the program only when the desktop was applied.

#include <string>

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
  kRefused,  // an entry has no link yet; nothing was written (information icon, OK)
  kFailed,   // something could not be written; the message says what and why (error icon, OK)
  kApplied,  // everything is in place; show the message (information icon, OK), then end
};

struct ApplyOutcome {
  ApplyResult result;
  std::string message;
  std::string title;  // empty: the application's title
};

ApplyOutcome Apply(const DesktopContent& content, const ApplyServices& services);

}  // namespace mirella
