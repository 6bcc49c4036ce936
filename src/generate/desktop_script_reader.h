#pragma once
// Reading back desktop.js: the inverse of DesktopScript, so that the settings page can start from
// the desktop as it was installed.

#include <string>
#include <string_view>

#include "content/desktop_content.h"
#include "generate/code_page.h"
#include "system/file_system.h"
#include "system/result.h"

namespace mirella {

// The content the bytes of a desktop.js hold, in the given code page: the four texts and the
// eleven entries' captions, descriptions, links and pictures, with the escapes undone. Every
// other field of the result keeps its default.
//
// Only a file exactly as DesktopScript writes it is accepted: writing the result again gives the
// same bytes, except that the program folder line may name another folder (the folder may have
// moved since). Anything else, a file edited by hand, cut short, damaged or written by another
// program, is a failure that says which line is wrong.
Result<DesktopContent> ReadDesktopScript(std::string_view bytes, const CodePage& codePage);

// ReadDesktopScript of programFolder\desktop.js.
Result<DesktopContent> ReadDesktopScriptFile(const std::string& programFolder,
                                             const FileSystem& files, const CodePage& codePage);

}  // namespace mirella
