// Times drawing the desktop's pictures for a set of monitors, encoding and saving them, against
// writing a 24-bit BMP of each monitor's size, in the same run: the medians of many repetitions
// and their ratio. Two monitors must take at most 3 times the baseline, and a 3840 x 2160 PNG
// must stay under 2 MB; the program ends with 1 when either is missed.
//
// Usage (under Wine): mirella_desktop_picture_benchmark <program folder> [repetitions]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/screen_desktop_picture_win32.h"
#include "app/wallpaper_pictures_win32.h"
#include "generate/test_content.h"
#include "render/wallpaper_plan.h"
#include "system/file_system_win32.h"
#include "win32/handles.h"

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
  const std::string target = std::string(temp) + "mirella-benchmark-";
  mirella::ComApartment com;  // the PNG encoder is a COM object

  // Each case: the monitors, how the shell takes their pictures, and the file format. The
  // baseline writes a 24-bit BMP of each monitor's size once, whatever the case's format, so that
  // a compressed file does not shrink the time it is measured against.
  using mirella::render::MonitorArea;
  using mirella::render::Rect;
  const Rect fullHd{0, 0, 1920, 1080};
  const Rect beside{1920, 0, 3200, 1024};
  const Rect ultraHd{0, 0, 3840, 2160};
  struct Case {
    const char* name;
    std::vector<MonitorArea> monitors;
    bool perMonitor;
    mirella::app::PictureFileFormat format;
  };
  const Case cases[] = {
      {"one 1920x1080 monitor, BMP (as before)", {{"", fullHd, fullHd, 96, true}}, false,
       mirella::app::PictureFileFormat::kBmp},
      {"1920x1080 + 1280x1024, a PNG each (Windows 8+)",
       {{"", fullHd, fullHd, 96, true}, {"", beside, beside, 96, false}}, true,
       mirella::app::PictureFileFormat::kPng},
      {"1920x1080 + 1280x1024, one tiled BMP (Vista, 7)",
       {{"", fullHd, fullHd, 96, true}, {"", beside, beside, 96, false}}, false,
       mirella::app::PictureFileFormat::kBmp},
      {"one 3840x2160 monitor at 192 dpi, PNG", {{"", ultraHd, ultraHd, 192, true}}, true,
       mirella::app::PictureFileFormat::kPng},
  };
  bool missed = false;
  for (const Case& measured : cases) {
    const mirella::render::WallpaperPlan plan =
        mirella::render::PlanWallpapers(measured.monitors, measured.perMonitor);
    std::vector<std::string> baseline;
    for (const MonitorArea& monitor : measured.monitors) {
      const auto bmp = mirella::app::DrawDesktopBmp(content, folder, files, monitor.bounds.Width(),
                                                    monitor.bounds.Height(), monitor.dpi);
      if (!bmp.ok()) return 1;
      baseline.push_back(bmp.value());
    }
    std::vector<double> drawing;
    std::vector<double> writing;
    std::size_t largest = 0;
    for (int i = 0; i < repetitions; ++i) {
      LARGE_INTEGER start, drawn, saved;
      QueryPerformanceCounter(&start);
      const auto pictures =
          mirella::app::DrawWallpaperPictures(plan, content, folder, files, measured.format);
      if (!pictures.ok()) {
        std::fprintf(stderr, "drawing failed: %s\n", pictures.message().c_str());
        return 1;
      }
      for (std::size_t n = 0; n < pictures.value().size(); ++n) {
        if (!files.WriteFileReplacing(target + std::to_string(n), pictures.value()[n]).ok()) {
          return 1;
        }
        largest = std::max(largest, pictures.value()[n].size());
      }
      QueryPerformanceCounter(&drawn);
      drawing.push_back(Seconds(start, drawn));
      QueryPerformanceCounter(&start);
      for (std::size_t n = 0; n < baseline.size(); ++n) {
        if (!files.WriteFileReplacing(target + std::to_string(n), baseline[n]).ok()) return 1;
      }
      QueryPerformanceCounter(&saved);
      writing.push_back(Seconds(start, saved));
    }
    const double draw = Median(drawing);
    const double write = Median(writing);
    const bool compressed = measured.format == mirella::app::PictureFileFormat::kPng;
    const bool sizeMissed = compressed && measured.monitors[0].bounds.Width() >= 3840 &&
                            largest >= 2u * 1024 * 1024;
    const bool timeMissed = measured.monitors.size() > 1 && draw > 3 * write;
    missed = missed || sizeMissed || timeMissed;
    std::printf("%s: draw, encode and save %.1f ms, write 24-bit BMPs %.1f ms, ratio %.2f%s; "
                "largest file %zu bytes%s\n",
                measured.name, draw * 1000, write * 1000, draw / write,
                timeMissed ? " (over 3)" : "", largest, sizeMissed ? " (not under 2 MB)" : "");
    for (std::size_t n = 0; n < 2; ++n) DeleteFileA((target + std::to_string(n)).c_str());
  }
  return missed ? 1 : 0;
}
