#pragma once
// File operations the program needs. Paths are Windows paths (backslashes) in UTF-8.
// Failures carry a Russian message naming the file and the system's reason.

#include <string>
#include <string_view>

#include "system/result.h"

namespace mirella {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True for an existing file that is not a folder, whatever its attributes.
  virtual bool FileExists(const std::string& path) const = 0;
  virtual bool DirectoryExists(const std::string& path) const = 0;
  // Creates the folder and any missing parents; an existing folder is success.
  virtual Status CreateDirectories(const std::string& path) = 0;
  // Writes the bytes to a temporary file in the same folder, then moves it over `path` in one
  // step: a failed write never leaves a truncated file behind. The folder must exist.
  virtual Status WriteFileReplacing(const std::string& path, std::string_view bytes) = 0;
  // Copies `source` to a temporary file beside `target`, then moves it over `target` in one step,
  // even when `target` is hidden or a system file. On failure `target` is left as it was.
  virtual Status CopyFileReplacing(const std::string& source, const std::string& target) = 0;
  virtual Result<std::string> ReadFile(const std::string& path) const = 0;
  // Deletes a file; a file that does not exist is success.
  virtual Status RemoveFile(const std::string& path) = 0;
};

}  // namespace mirella
