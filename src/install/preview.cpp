#include "install/preview.h"

#include <string_view>

#include "content/links.h"
#include "generate/desktop_script.h"
#include "generate/encoded_text.h"
#include "generate/theme_page.h"
#include "generate/utf8.h"

namespace mirella {

namespace {

// The Mark of the Web: Internet Explorer runs a local page that carries it in the Internet zone
// instead of the locked-down local machine zone, which would hold its script back behind the
// information bar. The count is the URL's length in four digits, and the comment must end the
// line with CR LF.
constexpr std::string_view kInternetZoneMark = "<!-- saved from url=(0014)about:internet -->\r\n";

}  // namespace

std::string PreviewFolderPath(const std::string& tempFolder) {
  return tempFolder + "\\Mirella Preview";
}

Result<std::string> WritePreview(const DesktopContent& content, const std::string& programFolder,
                                 const std::string& tempFolder, FileSystem& files) {
  const Utf8CodePage utf8;
  const std::string folder = PreviewFolderPath(tempFolder);
  const std::string page = folder + "\\preview.htm";

  // The theme page's first line loads the program's script; the preview's loads its own.
  std::string pageBytes = ThemePage(programFolder, utf8);
  const std::string firstLine =
      "<html><head><meta charset='utf-8'><script charset='utf-8' language='javascript' src='" +
      HtmlText(MakeLinkUrl(folder), utf8) + "/desktop.js'></script>";
  pageBytes.replace(0, pageBytes.find("\r\n"), firstLine);
  pageBytes.insert(0, kInternetZoneMark);

  if (Status created = files.CreateDirectories(folder); !created) return created;
  if (Status written = files.WriteFileReplacing(folder + "\\" + std::string(kDesktopScriptName),
                                                DesktopScript(content, programFolder, utf8));
      !written) {
    return written;
  }
  if (Status written = files.WriteFileReplacing(page, pageBytes); !written) return written;
  return page;
}

}  // namespace mirella
