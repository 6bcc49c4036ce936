#pragma once
// The registry as the rest of the program sees it. On Windows the module `registry`
// (registry_win32.h) is the only code that touches the real registry; tests use an in-memory fake.

#include <string>

#include "system/result.h"

namespace mirella {

// Every caller works under the current user's hive.
enum class RegistryRoot { kCurrentUser };

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
};

}  // namespace mirella
