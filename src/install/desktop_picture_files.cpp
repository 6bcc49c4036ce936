#include "install/desktop_picture_files.h"

#include <algorithm>

namespace mirella {
namespace {

constexpr std::string_view kExtensions[] = {"png", "bmp"};

std::string PictureFile(const std::string& folder, int generation, int index,
                        std::string_view extension) {
  return folder + "\\desktop-" + std::to_string(generation) + "-" + std::to_string(index) + "." +
         std::string(extension);
}

// Whether `path` is a file of that generation in `folder`, whatever its index and extension.
bool NamesGeneration(std::string_view path, const std::string& folder, int generation) {
  const std::string prefix = folder + "\\desktop-" + std::to_string(generation) + "-";
  return path.size() > prefix.size() && SamePath(path.substr(0, prefix.size()), prefix);
}

}  // namespace

bool SamePath(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
           return lower(x) == lower(y);
         });
}

bool NamesPictureFile(std::string_view path, const std::string& folder) {
  return NamesGeneration(path, folder, 1) || NamesGeneration(path, folder, 2);
}

PictureFileSet NextPictureFiles(const std::string& folder, const std::vector<std::string>& shown,
                                int count, std::string_view extension) {
  PictureFileSet set;
  const bool firstShown = std::any_of(shown.begin(), shown.end(), [&](const std::string& path) {
    return NamesGeneration(path, folder, 1);
  });
  set.generation = firstShown ? 2 : 1;
  for (int index = 0; index < std::min(count, kMostPictureFiles); ++index) {
    set.paths.push_back(PictureFile(folder, set.generation, index, extension));
  }
  return set;
}

Status RemoveStalePictureFiles(FileSystem& files, const std::string& folder,
                               const PictureFileSet& kept) {
  Status first = Status::Ok();
  for (const int generation : {1, 2}) {
    for (int index = 0; index < kMostPictureFiles; ++index) {
      for (const std::string_view extension : kExtensions) {
        const std::string path = PictureFile(folder, generation, index, extension);
        const bool keep = std::any_of(kept.paths.begin(), kept.paths.end(),
                                      [&](const std::string& p) { return SamePath(p, path); });
        if (keep || !files.FileExists(path)) continue;
        Status removed = files.RemoveFile(path);
        if (!removed.ok() && first.ok()) first = std::move(removed);
      }
    }
  }
  return first;
}

}  // namespace mirella
