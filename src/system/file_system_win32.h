#pragma once
// Files on Windows, through the W functions.

#include "system/file_system.h"

namespace mirella {

class Win32FileSystem : public FileSystem {
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
};

}  // namespace mirella
