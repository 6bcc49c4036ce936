#include "generate/theme_page.h"

#include <string_view>

#include "content/links.h"
#include "content/maker_site.h"
#include "generate/encoded_text.h"

namespace mirella {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The page's bytes, line by line; a line with the program-folder URL in it has three parts.
struct PageText {
  std::string bytes;

  PageText& Line(std::string_view text) {
    bytes += text;
    bytes += kLineEnd;
    return *this;
  }
  PageText& Line(std::string_view before, std::string_view url, std::string_view after) {
    bytes += before;
    bytes += url;
    bytes += after;
    bytes += kLineEnd;
    return *this;
  }
};

}  // namespace

std::string ThemeFolderPath(const std::string& programFolder) {
  return programFolder + "\\Themes\\Blue Classic";
}

std::string ThemePagePath(const std::string& programFolder) {
  return ThemeFolderPath(programFolder) + "\\theme.htm";
}

std::string ThemePage(const std::string& programFolder, const CodePage& codePage) {
  const std::string u = HtmlText(MakeLinkUrl(programFolder), codePage);
  const std::string w = HtmlText(kMakerSite, codePage);
  PageText page;
  page.Line("<html><head><script language='javascript' src='", u, "/desktop.js'></script>")
      .Line("<style>")
      .Line("<!--")
      .Line("a            { text-decoration: underline; color: #000080 }")
      .Line("a:hover      { color: #0000FF }")
      .Line("-->")
      .Line("</style><base target='_blank'></head>")
      .Line("")
      .Line("<body onselectstart='return false' style='font-family: Arial; font-size: 12pt; "
            "text-decoration: underline; font-weight: bold; background-attachment:fixed; "
            "cursor: default;' background='",
            u,
            "/Themes/Blue%20Classic/pal.gif' topmargin='2' leftmargin='2' rightmargin='2' "
            "bottommargin='2'><table border='0' width='100%' cellpadding='5' height='100%'><tr>")
      .Line("    <td colspan='2' height='144'>")
      .Line("    <table border='0' style='border-collapse: collapse' width='100%'>")
      .Line("    <tr>")
      .Line("    <td>")
      .Line("    <p align='center'><font size='6'><b><script language='javascript'>")
      .Line("    <!--")
      .Line("    GetCode('title.desktop');")
      .Line("    //-->")
      .Line("    </script></b></font></td>")
      .Line("    <td width='345'><a href='" + w + "'><img border='0' src='", u,
            "/Themes/Blue%20Classic/emblem.gif' width='345' height='144' align='right'>")
      .Line("</a></td></tr></table></td></tr><tr>")
      .Line("    <td align='center' colspan='2' height='30' bgcolor='#000080' background='", u,
            "/Themes/Blue%20Classic/pal_column.gif'>")
      .Line("    <table border='0' style='border-collapse: collapse' width='100%'>")
      .Line("    <tr>")
      .Line("    <td width='50%'>")
      .Line("    <p align='center'><font color='#FFFFFF'><b><script language='javascript'>")
      .Line("    <!--")
      .Line("    GetCode('title.column1');")
      .Line("    //-->")
      .Line("    </script></b></font></td>")
      .Line("    <td width='50%'>")
      .Line("    <p align='center'><font color='#FFFFFF'><b><script language='javascript'>")
      .Line("    <!--")
      .Line("    GetCode('title.column2');")
      .Line("    //-->")
      .Line("</script></b></font></td></tr></table></td></tr><tr>")
      .Line("    <td width='50%' valign='top'><script language='javascript'>")
      .Line("    <!--")
      .Line("    GetCode('column1.icons');")
      .Line("    //-->")
      .Line("    </script></td>")
      .Line("    <td width='50%' valign='top'><script language='javascript'>")
      .Line("    <!--")
      .Line("    GetCode('column2.icons');")
      .Line("    //-->")
      .Line("    </script></td></tr><tr>")
      .Line("<td align='center' colspan='2' height='35' background='", u,
            "/Themes/Blue%20Classic/pal_bottom.gif' bgcolor='#000080'>")
      .Line("<font color='#FFFFFF'><b><script language='javascript'>")
      .Line("<!--")
      .Line("GetCode('title.bar');")
      .Line("//-->")
      .Line("</script></b></font></td></tr></table></body></html>");
  return std::move(page.bytes);
}

Status WriteThemes(const std::string& programFolder, FileSystem& files, const CodePage& codePage) {
  return files.WriteFileReplacing(ThemePagePath(programFolder), ThemePage(programFolder, codePage));
}

}  // namespace mirella
