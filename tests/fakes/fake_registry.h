#pragma once
// An in-memory registry for unit tests. Key paths compare without regard to ASCII case, as the
// real registry's do; `failWrites` makes every write fail, as a read-only hive would.

#include <map>
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

  // Test set-up and inspection.
  void Put(const std::string& key, const std::string& name, const std::string& text);
  bool Has(const std::string& key, const std::string& name) const;
  int writeCount = 0;
  bool failWrites = false;

 private:
  static std::string Fold(const std::string& text);
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace mirella::testing
