#pragma once
// desktop.js: the configuration script the theme page reads every changeable text, link and
// picture from, through its function GetCode(name).

#include <string>
#include <string_view>

#include "content/desktop_content.h"
#include "generate/code_page.h"
#include "system/file_system.h"
#include "system/result.h"

namespace mirella {

inline constexpr std::string_view kDesktopScriptName = "desktop.js";

// programFolder + "\desktop.js".
std::string DesktopScriptPath(const std::string& programFolder);

// The bytes of desktop.js: 87 lines, each ending in CR LF, in the given code page. The values
// are JavaScript strings that read back exactly as the content holds them.
std::string DesktopScript(const DesktopContent& content, const std::string& programFolder,
                          const CodePage& codePage);

// Replaces desktop.js in the program folder with DesktopScript(...). A failure names the file
// and the system's reason; the old file is then left as it was.
Status SetChanges(const DesktopContent& content, const std::string& programFolder,
                  FileSystem& files, const CodePage& codePage);

}  // namespace mirella
