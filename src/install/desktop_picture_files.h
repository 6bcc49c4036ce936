#pragma once
// The files of the pictures drawn for the user's monitors, in the picture folder. They come in
// two generations, "desktop-<generation>-<index>.<extension>": a new set is written under the
// generation the pictures now shown do not name, so that no file the shell shows is rewritten
// while it shows it, and once the new set is shown the other generation's files are removed.
// The folder is never listed: the names are known, up to kMostPictureFiles of each generation.

#include <string>
#include <string_view>
#include <vector>

#include "system/file_system.h"

namespace mirella {

inline constexpr int kMostPictureFiles = 16;

// The pictures' file format. PNG (a page of flat colour compresses to a small share of its BMP)
// where the shell takes a wallpaper per monitor (Windows 8 and later), whose wallpaper calls take
// any picture the system decodes. Elsewhere BMP: for SPI_SETDESKWALLPAPER Microsoft documents
// BMP, and JPEG only from Vista, which would blur the page's text; PNG is not promised there.
inline constexpr std::string_view PictureExtension(bool perMonitorShell) {
  return perMonitorShell ? "png" : "bmp";
}

struct PictureFileSet {
  int generation = 1;              // 1 or 2
  std::vector<std::string> paths;  // the pictures' files, in the order they were asked for
};

// `count` (at most kMostPictureFiles) files with `extension` ("png" or "bmp") in `folder`, in
// the generation that none of `shown` (the wallpapers the monitors show now) names.
PictureFileSet NextPictureFiles(const std::string& folder, const std::vector<std::string>& shown,
                                int count, std::string_view extension);

// Whether two paths name the same file as Windows compares names: ASCII letters in either case.
bool SamePath(std::string_view a, std::string_view b);

// Whether `path` is one of the picture files in `folder`, of either generation.
bool NamesPictureFile(std::string_view path, const std::string& folder);

// Removes every picture file in `folder` other than those of `kept`. Goes on past a file it
// could not remove (one the shell still holds open) and reports the first failure.
Status RemoveStalePictureFiles(FileSystem& files, const std::string& folder,
                               const PictureFileSet& kept);

}  // namespace mirella
