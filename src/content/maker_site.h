#pragma once
// The maker's web site: the desktop's emblem links to it and the web-site command opens it.

#include <string_view>

namespace mirella {

inline constexpr std::string_view kMakerSite = "https://mirella-desktop.ru/";

}  // namespace mirella
