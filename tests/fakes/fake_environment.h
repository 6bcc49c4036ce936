#pragma once
// A scripted environment for unit tests: variables, program folder, user SID and shell folders.

#include <map>
#include <optional>
#include <string>

#include "system/environment.h"

namespace mirella::testing {

class FakeEnvironment : public Environment {
 public:
  std::optional<std::string> GetVariable(const std::string& name) const override {
    auto found = variables.find(name);
    if (found == variables.end()) return std::nullopt;
    return found->second;
  }
  std::string ProgramFolder() const override { return programFolder; }
  std::string CurrentUserSid() const override { return sid; }
  std::string ShellAppDataFolder() const override { return shellAppData; }
  std::string ShellLocalAppDataFolder() const override { return shellLocalAppData; }
  std::string TemporaryFolder() const override { return temporaryFolder; }

  std::map<std::string, std::string> variables{{"windir", "C:\\WINDOWS"}};
  std::string programFolder = "C:\\Program Files\\Mirella";
  std::string sid = "S-1-5-21-1111111111-2222222222-3333333333-1001";
  std::string shellAppData = "C:\\Users\\user\\AppData\\Roaming";
  std::string shellLocalAppData = "C:\\Users\\user\\AppData\\Local";
  std::string temporaryFolder = "C:\\Users\\user\\AppData\\Local\\Temp";
};

}  // namespace mirella::testing
