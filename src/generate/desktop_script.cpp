#include "generate/desktop_script.h"

#include "content/links.h"
#include "generate/encoded_text.h"

namespace mirella {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr char kQuote = '"';

// The parts of an entry row around the picture number; the two columns differ only in the
// spaces around it.
constexpr std::string_view kRowStart =
    "  document.write(\"<table border='0' height='16%' cellpadding='5'><tr><td width='64' "
    "align='center'><img border='0' src='\"+appath+\"/icons/\"";
constexpr std::string_view kColumn1Picture = " + icons[i] + ";
constexpr std::string_view kColumn2Picture = "+icons[i]+";
constexpr std::string_view kRowEnd =
    "\".gif' width='48' height='48'></td><td><u><b><a href='\"+link[i]+\"'>\"+caption[i]+\""
    "</a><br></b></u><font size='2'>\"+desc[i]+\"</font></td></tr></table>\")";

constexpr std::string_view kSettingsRowStart =
    "  document.write(\"<table border='0' height='16%' cellpadding='5'><tr><td width='64' "
    "align='center'><img border='0' src='\"+appath+\"/icons/6.gif' width='48' height='48'>"
    "</td><td><u><b><a href='\"+appath+";
// Inside the string literal that the settings row's document.write starts.
constexpr std::string_view kSettingsRowRest =
    "/desktop.exe'>Настроить Mirella</a><br></b></u><font size='2'>Вы можете изменить настройки "
    "Рабочего стола с помощью Mirella.</font></td></tr></table>";

class ScriptLines {
 public:
  explicit ScriptLines(const CodePage& codePage) : codePage_(codePage) {}

  // An ASCII line, written as it stands.
  void Line(std::string_view text) {
    bytes_ += text;
    bytes_ += kLineEnd;
  }
  // prefix, then the value as a double-quoted JavaScript string, then suffix.
  void Quoted(std::string_view prefix, std::string_view value, std::string_view suffix = {}) {
    bytes_ += prefix;
    bytes_ += kQuote;
    bytes_ += JavaScriptStringText(value, codePage_);
    bytes_ += kQuote;
    bytes_ += suffix;
    bytes_ += kLineEnd;
  }
  void Comment(std::string_view text) {
    bytes_ += CommentText(text, codePage_);
    bytes_ += kLineEnd;
  }
  void Case(std::string_view key) { Quoted("  case ", key, ":{"); }
  std::string Take() { return std::move(bytes_); }

 private:
  const CodePage& codePage_;
  std::string bytes_;
};

}  // namespace

std::string DesktopScriptPath(const std::string& programFolder) {
  return programFolder + "\\" + std::string(kDesktopScriptName);
}

std::string DesktopScript(const DesktopContent& content, const std::string& programFolder,
                          const CodePage& codePage) {
  ScriptLines out(codePage);
  out.Comment("// Файл конфигурации Рабочего Стола от Mirella!");
  out.Quoted("var desktoptitle=", content.title);
  out.Quoted("var desktopcol1=", content.col_1_title);
  out.Quoted("var desktopcol2=", content.col_2_title);
  out.Quoted("var appath=", MakeLinkUrl(programFolder));
  out.Line("icons = new Array(10);");
  out.Line("desc = new Array(10);");
  out.Line("caption = new Array(10);");
  out.Line("link = new Array(10);");
  out.Line("\r");  // a lone carriage return: this line's bytes are 0D 0D 0A
  out.Line("function GetCode(name) {");
  for (int i = 0; i < kEntryCount; ++i) {
    const std::string index = std::to_string(i);
    out.Quoted("icons[" + index + "]=", std::to_string(content.EntryPicture[i]));
    out.Quoted("caption[" + index + "]=", content.EntryCaption[i]);
    out.Quoted("desc[" + index + "]=", content.EntryDescription[i]);
    out.Quoted("link[" + index + "]=", content.EntryLink[i]);
  }
  out.Line("switch (name) {");
  const auto writeCase = [&out](std::string_view key, std::string_view statement) {
    out.Case(key);
    out.Line(statement);
    out.Line("  break;");
    out.Line("  }");
  };
  writeCase("title.desktop", "  document.write (desktoptitle)");
  writeCase("title.column1", "  document.write (desktopcol1)");
  writeCase("title.column2", "  document.write (desktopcol2)");

  out.Case("column1.icons");
  out.Line("  for(i=0; i<5; i++) {");
  out.Line(std::string(kRowStart) + std::string(kColumn1Picture) + std::string(kRowEnd));
  out.Line("  }");
  out.Quoted(kSettingsRowStart, kSettingsRowRest, ")");
  out.Line("  break;");
  out.Line("  }");

  out.Case("column2.icons");
  out.Line("  for(i=5; i<11; i++) {");
  out.Line(std::string(kRowStart) + std::string(kColumn2Picture) + std::string(kRowEnd));
  out.Line("  }");
  out.Line("  break;");
  out.Line("  }");

  out.Case("title.bar");
  out.Quoted("  document.write(", content.desktop, ")");
  out.Line("  break;");
  out.Line("  }");
  out.Line("}");
  out.Line("}");
  return out.Take();
}

Status SetChanges(const DesktopContent& content, const std::string& programFolder,
                  FileSystem& files, const CodePage& codePage) {
  return files.WriteFileReplacing(DesktopScriptPath(programFolder),
                                  DesktopScript(content, programFolder, codePage));
}

}  // namespace mirella
