#pragma once
// How the messages of Apply and Restore name each part of the user's desktop.

#include <string_view>

#include "install/apply.h"

namespace mirella::app {

std::string_view DesktopItemName(AppliedItem item);

}  // namespace mirella::app
