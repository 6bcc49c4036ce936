#pragma once
// The program's name as the user sees it: window captions and the title of message boxes that
// have no title of their own.

#include <string_view>

#include "app/version.h"

namespace mirella::app {

inline constexpr std::string_view kApplicationTitle = "Mirella";
inline constexpr std::string_view kMainCaption = "Mirella v. " MIRELLA_VERSION;

}  // namespace mirella::app
