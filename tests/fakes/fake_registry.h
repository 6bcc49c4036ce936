#pragma once
// An in-memory registry for unit tests. Key paths compare without regard to ASCII case, as the
// real registry's do, and each root is a hive of its own. Strings are kept as their UTF-8 text,
// so a string value's raw data here is that text. Failures are injected per key, or for every write once `writesLeft` runs out.

#include <map>
#include <set>
#include <string>
#include <utility>

#include "system/registry.h"

namespace mirella::testing {

class FakeRegistry : public Registry {
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

  // Test set-up and inspection.
  void Put(const std::string& key, const std::string& name, const std::string& text);
  bool Has(const std::string& key, const std::string& name) const;
  int writeCount = 0;
  bool failWrites = false;
  int writesLeft = -1;                  // writes and deletes that succeed before all fail; -1: all
  std::set<std::string> deniedKeys;     // exact key paths whose values cannot be written
  std::set<std::string> unreadableKeys; // exact key paths whose values cannot be read

 private:
  static std::string Fold(const std::string& text);
  static std::pair<std::string, std::string> Slot(RegistryRoot root, const std::string& key,
                                                  const std::string& name);
  Status CheckWritable(const std::string& key, const std::string& name);
  std::map<std::pair<std::string, std::string>, RegistryValue> values_;
};

}  // namespace mirella::testing
