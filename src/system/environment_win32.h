#pragma once
// The running process's environment on Windows.

#include "system/environment.h"

namespace mirella {

class Win32Environment : public Environment {
 public:
  std::optional<std::string> GetVariable(const std::string& name) const override;
  std::string ProgramFolder() const override;
  std::string CurrentUserSid() const override;
  std::string ShellAppDataFolder() const override;
  std::string ShellLocalAppDataFolder() const override;
  std::string TemporaryFolder() const override;
};

}  // namespace mirella
