#pragma once
// An in-memory file system for unit tests, with Windows path rules: backslashes, case-insensitive
// ASCII names. A write needs its folder to exist; folders listed in `readOnlyFolders` refuse
// writes, as a read-only or locked folder would; a file with the read-only attribute can be
// neither replaced nor removed, as on Windows; `unreadableFiles` and `writesLeft` script the
// other failures.

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "system/file_system.h"

namespace mirella::testing {

class FakeFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) const override;
  bool DirectoryExists(const std::string& path) const override;
  Status CreateDirectories(const std::string& path) override;
  Status WriteFileReplacing(const std::string& path, std::string_view bytes) override;
  Status CopyFileReplacing(const std::string& source, const std::string& target) override;
  Result<std::string> ReadFile(const std::string& path) const override;
  Status RemoveFile(const std::string& path) override;
  Result<std::uint32_t> ReadAttributes(const std::string& path) const override;
  Status WriteAttributes(const std::string& path, std::uint32_t attributes) override;

  // Test set-up and inspection.
  void AddDirectory(const std::string& path);
  void AddFile(const std::string& path, const std::string& bytes);  // creates its folders
  std::set<std::string> readOnlyFolders;  // exact folder paths whose files cannot be written
  std::set<std::string> unreadableFiles;  // exact file paths that exist but cannot be read
  int writesLeft = -1;  // writes and removals that succeed before all fail; -1: no limit
  int writeCount = 0;

 private:
  static std::string Key(const std::string& path);
  static std::string Parent(const std::string& path);
  Status CheckWritable(const std::string& path);
  bool IsReadOnly(const std::string& path) const;
  std::map<std::string, std::string> files_;
  std::map<std::string, std::uint32_t> attributes_;  // by Key(); files without an entry have none
  std::set<std::string> directories_;
};

}  // namespace mirella::testing
