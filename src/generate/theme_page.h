#pragma once
// theme.htm of the theme "Blue Classic": the fixed frame of the desktop, which loads desktop.js
// and the theme pictures from the program folder by absolute file:/// URLs, so that its copy
// Desktop.htt finds them too.

#include <string>

#include "generate/code_page.h"
#include "system/file_system.h"
#include "system/result.h"

namespace mirella {

// programFolder + "\Themes\Blue Classic".
std::string ThemeFolderPath(const std::string& programFolder);
// programFolder + "\Themes\Blue Classic\theme.htm".
std::string ThemePagePath(const std::string& programFolder);

// The bytes of theme.htm: 51 lines, each ending in CR LF, in the given code page. Only the
// program folder changes them.
std::string ThemePage(const std::string& programFolder, const CodePage& codePage);

// Replaces theme.htm in the theme folder, which must exist. A failure names the file and the
// system's reason; the old page is then left as it was.
Status WriteThemes(const std::string& programFolder, FileSystem& files, const CodePage& codePage);

}  // namespace mirella
