// Times drawing the desktop and saving it as a BMP against writing the same bytes to a file, in
// the same run: the medians of many repetitions, and their ratio, at 1920 x 1080 and 3840 x 2160.
//
// Usage (under Wine): mirella_desktop_picture_benchmark <program folder> [repetitions]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/screen_desktop_picture_win32.h"
#include "generate/test_content.h"
#include "system/file_system_win32.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The pictures of `folder` that drawing `content` reads and that are not there: a folder without
// them still draws, without its pictures, and would time the wrong thing.
std::vector<std::string> MissingPictures(const mirella::DesktopContent& content,
                                         const std::string& folder,
                                         const mirella::FileSystem& files) {
  std::vector<std::string> pictures = {
      "Themes\\Blue Classic\\pal.gif", "Themes\\Blue Classic\\emblem.gif",
      "Themes\\Blue Classic\\pal_column.gif", "Themes\\Blue Classic\\pal_bottom.gif"};
  for (const int picture : content.EntryPicture) {
    pictures.push_back("icons\\" + std::to_string(picture) + ".gif");
  }
  std::vector<std::string> missing;
  for (const std::string& picture : pictures) {
    const bool listed = std::find(missing.begin(), missing.end(), picture) != missing.end();
    if (!listed && !files.FileExists(folder + "\\" + picture)) missing.push_back(picture);
  }
  return missing;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: mirella_desktop_picture_benchmark <program folder> [repetitions]\n");
    return 2;
  }
  const std::string folder = argv[1];
  const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 30;
  const mirella::DesktopContent content = mirella::testing::DefaultTestContent();
  mirella::Win32FileSystem files;
  const std::vector<std::string> missing = MissingPictures(content, folder, files);
  if (!missing.empty()) {
    std::fprintf(stderr,
                 "%s lacks %zu of the pictures the desktop shows (the first: %s): give the "
                 "program folder of a build\n",
                 folder.c_str(), missing.size(), missing[0].c_str());
    return 2;
  }
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string target = std::string(temp) + "mirella-benchmark.bmp";
  struct Size { int width, height, dpi; };
  for (const Size size : {Size{1920, 1080, 96}, Size{3840, 2160, 192}}) {
    std::vector<double> drawing;
    std::vector<double> writing;
    std::string bytes;
    for (int i = 0; i < repetitions; ++i) {
      LARGE_INTEGER start, drawn, saved;
      QueryPerformanceCounter(&start);
      const auto bmp = mirella::app::DrawDesktopBmp(content, folder, files, size.width, size.height, size.dpi);
      if (!bmp.ok() || !files.WriteFileReplacing(target, bmp.value()).ok()) {
        std::fprintf(stderr, "drawing failed: %s\n", bmp.message().c_str());
        return 1;
      }
      QueryPerformanceCounter(&drawn);
      bytes = bmp.value();
      drawing.push_back(Seconds(start, drawn));
      QueryPerformanceCounter(&start);
      if (!files.WriteFileReplacing(target, bytes).ok()) return 1;
      QueryPerformanceCounter(&saved);
      writing.push_back(Seconds(start, saved));
    }
    const double draw = Median(drawing);
    const double write = Median(writing);
    std::printf("%d x %d at %d dpi (%zu bytes): draw and save %.1f ms, write the bytes %.1f ms, ratio %.2f\n",
                size.width, size.height, size.dpi, bytes.size(), draw * 1000, write * 1000, draw / write);
  }
  DeleteFileA(target.c_str());
  return 0;
}
