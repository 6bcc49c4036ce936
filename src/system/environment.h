#pragma once
// What the program learns from the machine it runs on, apart from the registry and files.

#include <optional>
#include <string>

namespace mirella {

class Environment {
 public:
  virtual ~Environment() = default;
  // An environment variable of the process (read anew at each call), or nullopt when it is not set.
  virtual std::optional<std::string> GetVariable(const std::string& name) const = 0;
  // The folder that holds the running executable, Windows style, without a trailing backslash.
  virtual std::string ProgramFolder() const = 0;
  // The security identifier of the user running the process ("S-1-5-21-..."), or empty.
  virtual std::string CurrentUserSid() const = 0;
  // The shell's own application-data folder of the current user (CSIDL_APPDATA), or empty.
  virtual std::string ShellAppDataFolder() const = 0;
  // The same for the folder that stays on this machine (CSIDL_LOCAL_APPDATA), or empty.
  virtual std::string ShellLocalAppDataFolder() const = 0;
  // The user's folder for temporary files, without a trailing backslash.
  virtual std::string TemporaryFolder() const = 0;
};

}  // namespace mirella
