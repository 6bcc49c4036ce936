#pragma once
// The module `registry`: the only code that touches the Windows registry.

#include <windows.h>

#include <string>

#include "system/registry.h"

namespace mirella {

namespace registry {

// A REG_SZ value, or a REG_EXPAND_SZ value expanded, read whole whatever its length. A missing
// key or value, an empty value and any other type give the empty text. Keys are opened for
// querying only.
std::string GetStringValue(HKEY root, const std::string& key, const std::string& name);

// Writes a REG_SZ value, creating the key and its missing parents.
Status SetStringValue(HKEY root, const std::string& key, const std::string& name,
                      const std::string& text);

// A value exactly as stored (type and bytes), or nullopt when the key or the value is missing.
Result<std::optional<RegistryValue>> ReadValue(HKEY root, const std::string& key,
                                               const std::string& name);
// Writes a value exactly as given, creating the key and its missing parents.
Status WriteValue(HKEY root, const std::string& key, const std::string& name,
                  const RegistryValue& value);
// Deletes a value; a missing key or value is success.
Status DeleteValue(HKEY root, const std::string& key, const std::string& name);

}  // namespace registry

class Win32Registry : public Registry {
 public:
  std::string GetStringValue(RegistryRoot root, const std::string& key,
                             const std::string& name) const override;
  Status SetStringValue(RegistryRoot root, const std::string& key, const std::string& name,
                        const std::string& text) override;
  Result<std::optional<RegistryValue>> ReadValue(RegistryRoot root, const std::string& key,
                                                 const std::string& name) const override;
  Status WriteValue(RegistryRoot root, const std::string& key, const std::string& name,
                    const RegistryValue& value) override;
  Status DeleteValue(RegistryRoot root, const std::string& key, const std::string& name) override;
};

}  // namespace mirella
