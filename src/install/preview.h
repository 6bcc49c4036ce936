#pragma once
// The preview: the desktop as it would look, written to a folder of its own under the user's
// temporary folder, so that the shell can open it in a browser. Neither desktop.js, the theme
// page, Desktop.htt nor the registry is touched.

#include <string>

#include "content/desktop_content.h"
#include "system/file_system.h"
#include "system/result.h"

namespace mirella {

// tempFolder + "\Mirella Preview".
std::string PreviewFolderPath(const std::string& tempFolder);

// Writes preview.htm and desktop.js into the preview folder, creating it when missing, and
// returns the page's path. They are the real page and script except that both are UTF-8 and
// say so (a browser would otherwise guess their encoding), that the page loads the preview's
// script and that it carries the Mark of the Web for the Internet zone (Internet Explorer would
// otherwise block the script of a local page); the pictures and the settings link still come
// from the program folder.
Result<std::string> WritePreview(const DesktopContent& content, const std::string& programFolder,
                                 const std::string& tempFolder, FileSystem& files);

}  // namespace mirella
