#pragma once
// The registry as the rest of the program sees it. On Windows the module `registry`
// (registry_win32.h) is the only code that touches the real registry; tests use an in-memory fake.

#include <cstdint>
#include <optional>
#include <string>

#include "system/result.h"

namespace mirella {

// The program works under the current user's hive; it only reads the local machine's, for the
// policies an administrator set there.
enum class RegistryRoot { kCurrentUser, kLocalMachine };

// A value exactly as the registry holds it: its type number (1 for REG_SZ, 2 for REG_EXPAND_SZ,
// and so on) and its bytes, uninterpreted, so that it can be put back as it was.
struct RegistryValue {
  std::uint32_t type = 0;
  std::string data;
  bool operator==(const RegistryValue&) const = default;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // The text of a REG_SZ value, or of a REG_EXPAND_SZ value with its variables expanded, read whole.
  // A missing key or value, an empty value and a value of any other type all give the empty text.
  virtual std::string GetStringValue(RegistryRoot root, const std::string& key,
                                     const std::string& name) const = 0;
  // Writes a REG_SZ value, creating the key and its missing parents. A failure names the value
  // and the system's reason.
  virtual Status SetStringValue(RegistryRoot root, const std::string& key, const std::string& name,
                                const std::string& text) = 0;

  // The value as stored, or nullopt when its key or the value itself does not exist. A value
  // that exists but cannot be read is a failure, never taken for an absent one.
  virtual Result<std::optional<RegistryValue>> ReadValue(RegistryRoot root, const std::string& key,
                                                         const std::string& name) const = 0;
  // Writes the value exactly as given, creating the key and its missing parents.
  virtual Status WriteValue(RegistryRoot root, const std::string& key, const std::string& name,
                            const RegistryValue& value) = 0;
  // Deletes the value; a missing key or value is success.
  virtual Status DeleteValue(RegistryRoot root, const std::string& key,
                             const std::string& name) = 0;
};

}  // namespace mirella
