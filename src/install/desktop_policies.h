#pragma once
// The policies an administrator sets over the user's desktop, as plain registry values under the
// current user's or the machine's Policies key: one fixes the wallpaper (a picture named by
// policy, or changes forbidden), others keep the web desktop from showing a page on Windows 2000
// and XP. The machine's value is looked at first, as the system lets it win.

#include <string>

#include "system/registry.h"

namespace mirella {

// The policy value that fixes the wallpaper, as "HKEY_...\key\name", or empty where none does.
std::string WallpaperFixedByPolicy(const Registry& registry);

// The policy value that keeps the page desktop from being shown, or empty where none does.
std::string PageDesktopForbiddenByPolicy(const Registry& registry);

}  // namespace mirella
