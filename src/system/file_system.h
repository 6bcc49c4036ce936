#pragma once
// File operations the program needs. Paths are Windows paths (backslashes) in UTF-8: on a drive
// ("C:\..."), on a network share ("\\server\share\..."), or in "\\?\" form, as long as the file
// system allows (past the classic 260 characters too).
// A failure carries a Russian message that names the file or folder that failed and the reason:
// `Не удалось записать файл "...": папка "..." не существует.`

#include <cstdint>
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
  // Creates the folder and any missing parents, walking up to the first folder that exists
  // whatever the root; an existing folder is success.
  virtual Status CreateDirectories(const std::string& path) = 0;
  // Writes the bytes to a temporary file in the same folder, then moves it over `path` in one
  // step: a failed write never leaves a truncated file behind. The folder must exist.
  // A hidden or system file is replaced, and the new file keeps those two attributes (the
  // shell's Desktop.htt stays hidden, also when an old copy is put back through this call). A
  // read-only file is refused and left as it is, since the user protected it.
  virtual Status WriteFileReplacing(const std::string& path, std::string_view bytes) = 0;
  // Reads `source` whole (the program copies pages, not large files) and writes it over `target`
  // as WriteFileReplacing does. A failure names the source when reading it failed and the target
  // when writing failed; on failure `target` is left as it was.
  virtual Status CopyFileReplacing(const std::string& source, const std::string& target) = 0;
  virtual Result<std::string> ReadFile(const std::string& path) const = 0;
  // Deletes a file; a file that does not exist is success.
  virtual Status RemoveFile(const std::string& path) = 0;
  // The file's attribute bits as the file system holds them (read-only 0x1, hidden 0x2, system
  // 0x4, archive 0x20, ...), so that they can be put back as they were.
  virtual Result<std::uint32_t> ReadAttributes(const std::string& path) const = 0;
  virtual Status WriteAttributes(const std::string& path, std::uint32_t attributes) = 0;
};

}  // namespace mirella
