// Writes a desktop for the layout comparison: desktop.js and theme.htm of one named case into a
// folder (as make_desktop does), and on standard output the renderer's layout of that content at
// a size and DPI as JSON, in display pixels, with the family of the font GDI chose for Arial.
// With a fourth argument it also draws the picture there as a BMP.
//
// Usage (under Wine): mirella_desktop_layout <case> <linux folder> <width> <height> <dpi> [bmp]

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "win32/wide_text.h"

#include "app/screen_desktop_picture_win32.h"
#include "generate/cp1251.h"
#include "generate/desktop_script.h"
#include "generate/test_content.h"
#include "generate/theme_page.h"
#include "render/desktop_renderer_win32.h"
#include "system/file_system_win32.h"
#include "web/json_text.h"

namespace mirella {
namespace {

using mirella::Json;  // the text overload, beside the two below

std::string Json(const render::Rect& r) {
  return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
         std::to_string(r.Width()) + "," + std::to_string(r.Height()) + "]";
}

std::string Json(const render::TextBlock& block) {
  std::string lines = "[";
  for (const auto& line : block.lines) lines += (lines.size() > 1 ? "," : "") + Json(line.text);
  return "{\"bounds\":" + Json(block.bounds) + ",\"lines\":" + lines + "]}";
}

// Texts that wrap in the page without making it taller than the screen: a two-line title, long
// descriptions, an empty caption and an empty description.
void MakeWrapped(DesktopContent& content) {
  content.title = "Рабочий стол моей семьи и всех моих друзей, коллег и знакомых";
  content.col_1_title = "Компьютер";
  content.EntryCaption[1] = "Панель управления всеми настройками этого компьютера и не только";
  content.EntryDescription[3] = "";
  content.EntryCaption[6] = "";
  content.EntryDescription[8] =
      "Просмотреть мою папку с моими документами, фотографиями, письмами и всем остальным.";
}

std::string WindowsPath(const std::string& linuxPath) {
  std::string path = "Z:" + linuxPath;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}

std::string FontFamily(HFONT font) {
  const MemoryDc dc(nullptr);
  SelectedObject selected(dc.Get(), font);
  std::vector<char> buffer(GetOutlineTextMetricsW(dc.Get(), 0, nullptr));
  if (buffer.empty()) return {};
  auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
  GetOutlineTextMetricsW(dc.Get(), static_cast<UINT>(buffer.size()), metrics);
  const auto* family = reinterpret_cast<const wchar_t*>(buffer.data() +
                                                        reinterpret_cast<std::uintptr_t>(metrics->otmpFamilyName));
  return Narrow(family);
}

int Run(int argc, char** argv) {
  const std::string name = argv[1];
  const std::string linuxFolder = argv[2];
  const int width = std::stoi(argv[3]);
  const int height = std::stoi(argv[4]);
  const int dpi = std::stoi(argv[5]);
  DesktopContent content = testing::DefaultTestContent();
  if (name == "wrapped") {
    MakeWrapped(content);
  } else if (name != "default") {
    std::cerr << "unknown case " << name << "\n";
    return 2;
  }
  Win32FileSystem files;
  const std::string folder = WindowsPath(linuxFolder);
  const std::string pageFolder = linuxFolder.substr(linuxFolder.find_first_not_of('/'));
  const Cp1251 codePage;
  if (!files.CreateDirectories(folder + "\\Themes\\Blue Classic").ok() ||
      !files.WriteFileReplacing(folder + "\\desktop.js", DesktopScript(content, pageFolder, codePage)).ok() ||
      !files.WriteFileReplacing(folder + "\\Themes\\Blue Classic\\theme.htm", ThemePage(pageFolder, codePage)).ok()) {
    std::cerr << "cannot write into " << folder << "\n";
    return 1;
  }
  if (argc > 6) {
    const auto bmp = app::DrawDesktopBmp(content, folder, files, width, height, dpi);
    if (!bmp.ok() || !files.WriteFileReplacing(WindowsPath(argv[6]), bmp.value()).ok()) {
      std::cerr << "cannot draw " << argv[6] << "\n";
      return 1;
    }
  }

  const render::DesktopRenderer renderer(dpi / 96.0);
  const render::DesktopLayout layout = renderer.LayOut(content, width, height);
  const HFONT font = CreateFontW(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                 DEFAULT_PITCH | FF_SWISS, L"Arial");
  const std::string family = FontFamily(font);
  DeleteObject(font);
  std::string rows = "[";
  for (const auto& row : layout.rows) {
    rows += (rows.size() > 1 ? "," : "") + std::string("{\"entry\":") + std::to_string(row.entry) +
            ",\"picture\":" + Json(row.pictureBounds) + ",\"caption\":" + Json(row.caption) +
            ",\"description\":" + Json(row.description) + "}";
  }
  std::cout << "{\"font\":" << Json(family) << ",\"scale\":" << layout.scale
            << ",\"title\":" << Json(layout.title) << ",\"emblem\":" << Json(layout.emblem)
            << ",\"columnBar\":" << Json(layout.columnBar)
            << ",\"columnTitles\":[" << Json(layout.columnTitles[0]) << ","
            << Json(layout.columnTitles[1]) << "],\"rows\":" << rows
            << "],\"bottomBar\":" << Json(layout.bottomBar)
            << ",\"barText\":" << Json(layout.barText) << "}\n";
  return 0;
}

}  // namespace
}  // namespace mirella

int main(int argc, char** argv) {
  if (argc < 6) {
    std::cerr << "usage: mirella_desktop_layout <case> <folder> <width> <height> <dpi> [bmp]\n";
    return 2;
  }
  try {
    return mirella::Run(argc, argv);
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
}
