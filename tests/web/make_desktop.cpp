// Writes a generated desktop for the page checks: desktop.js and theme.htm of one named case,
// as the program writes them with the built-in code page 1251, and a JSON file of what the
// desktop must show; given a temporary folder, also the preview the wizard writes there.
//
// Usage: mirella_make_desktop <case> <program folder> <expected.json> [<temporary folder>]
// The folders are Linux paths; the pictures are expected in the program folder already.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "generate/cp1251.h"
#include "generate/desktop_script.h"
#include "generate/test_content.h"
#include "generate/theme_page.h"
#include "install/preview.h"
#include "web/json_text.h"

namespace mirella {
namespace {

template <class Array, class Format>
std::string JsonArray(const Array& values, Format format) {
  std::string out = "[";
  for (std::size_t i = 0; i < values.size(); ++i) out += (i ? "," : "") + format(values[i]);
  return out + "]";
}

// Every kind of text that could break the script or the page, spread over the fields.
void MakeAdversarial(DesktopContent& content) {
  content.title = "Он сказал: \"Привет\" \\ C:\\Папка\\ 'одинарные'";
  content.col_1_title = "Строка 1\r\nСтрока 2\nСтрока 3\rконец";
  content.col_2_title = "Разделители\u2028строк\u2029и абзацев";
  content.desktop = "Конец </script> строки & <точно>";
  content.EntryCaption[0] = "中文标题";
  content.EntryDescription[0] = "Эмодзи 😀🎉 и 中文";
  content.EntryCaption[1] = std::string(100000, 'W');
  content.EntryDescription[1] = "\\\\server\\share\\\"quoted\"";
  content.EntryCaption[2] = "";
  content.EntryDescription[2] = "";
  content.EntryCaption[5] = "Ёлка № 5 — «кавычки» €";
  content.EntryDescription[5] = "Tab\there";
  content.SelectedEntry = 4;
  content.EntryLink[4] = MakeLink(content, "D:\\Мои файлы\\O'Brien's \"file\".txt");
  content.EntryPicture[4] = 19;
}

void MakeEmpty(DesktopContent& content) {
  content.title = content.col_1_title = content.col_2_title = content.desktop = "";
  content.EntryCaption.fill("");
  content.EntryDescription.fill("");
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
  return static_cast<bool>(file);
}

// "/tmp/x y" as the program sees a folder: MakeLink makes it file:///tmp/x%20y.
std::string ProgramPath(const std::string& linuxPath) {
  return linuxPath.substr(linuxPath.find_first_not_of('/'));
}

// The preview as the wizard writes it (in memory), then copied out to the Linux folder.
bool WritePreviewFiles(const DesktopContent& content, const std::string& folder,
                       const std::string& linuxTemp) {
  const std::string temp = ProgramPath(linuxTemp);
  testing::FakeFileSystem files;
  files.AddDirectory(temp);
  if (!WritePreview(content, folder, temp, files)) return false;
  const std::string previewFolder = PreviewFolderPath(temp);
  std::string linuxPreview = "/" + previewFolder;
  for (char& c : linuxPreview) c = c == '\\' ? '/' : c;
  std::filesystem::create_directories(linuxPreview);
  for (const char* name : {"preview.htm", "desktop.js"}) {
    const auto bytes = files.ReadFile(previewFolder + "\\" + name);
    if (!bytes || !WriteFile(linuxPreview + "/" + name, bytes.value())) return false;
  }
  return true;
}

int Run(const std::string& name, const std::string& linuxFolder, const std::string& expectedPath,
        const std::string& linuxTemp) {
  DesktopContent content = testing::DefaultTestContent();
  if (name == "adversarial") {
    MakeAdversarial(content);
  } else if (name == "empty") {
    MakeEmpty(content);
  } else if (name != "default") {
    std::cerr << "unknown case " << name << "\n";
    return 2;
  }
  const std::string folder = ProgramPath(linuxFolder);
  const Cp1251 codePage;
  if (!WriteFile(linuxFolder + "/desktop.js", DesktopScript(content, folder, codePage)) ||
      !WriteFile(linuxFolder + "/Themes/Blue Classic/theme.htm", ThemePage(folder, codePage))) {
    std::cerr << "cannot write into " << linuxFolder << "\n";
    return 1;
  }
  if (!linuxTemp.empty() && !WritePreviewFiles(content, folder, linuxTemp)) {
    std::cerr << "cannot write the preview into " << linuxTemp << "\n";
    return 1;
  }
  const auto quoted = [](const std::string& text) { return Json(text); };
  const std::string expected =
      "{\"title\":" + Json(content.title) + ",\"column1\":" + Json(content.col_1_title) +
      ",\"column2\":" + Json(content.col_2_title) + ",\"bar\":" + Json(content.desktop) +
      ",\"appath\":" + Json(MakeLinkUrl(folder)) +
      ",\"captions\":" + JsonArray(content.EntryCaption, quoted) +
      ",\"descriptions\":" + JsonArray(content.EntryDescription, quoted) +
      ",\"links\":" + JsonArray(content.EntryLink, quoted) + ",\"pictures\":" +
      JsonArray(content.EntryPicture, [](std::int16_t n) { return std::to_string(n); }) + "}\n";
  return WriteFile(expectedPath, expected) ? 0 : 1;
}

}  // namespace
}  // namespace mirella

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::cerr << "usage: mirella_make_desktop <case> <program folder> <expected.json> "
                 "[<temporary folder>]\n";
    return 2;
  }
  return mirella::Run(argv[1], argv[2], argv[3], argc == 5 ? argv[4] : "");
}
