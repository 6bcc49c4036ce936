#pragma once
// Where the install tests' fake system keeps things: the program folder and its files, and the
// user's roaming folder with Desktop.htt.

namespace mirella {

inline constexpr const char* kProgram = "C:\\Program Files\\Mirella";
inline constexpr const char* kThemePage =
    "C:\\Program Files\\Mirella\\Themes\\Blue Classic\\theme.htm";
inline constexpr const char* kScript = "C:\\Program Files\\Mirella\\desktop.js";
inline constexpr const char* kAppData = "C:\\Users\\user\\AppData\\Roaming";
inline constexpr const char* kDesktopFolder =
    "C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Internet Explorer";
inline constexpr const char* kDesktopFile =
    "C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Desktop.htt";

}  // namespace mirella
