#include "fakes/fake_registry.h"

#include <cctype>

namespace mirella::testing {

std::string FakeRegistry::Fold(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

std::string FakeRegistry::GetStringValue(RegistryRoot, const std::string& key,
                                         const std::string& name) const {
  auto found = values_.find({Fold(key), Fold(name)});
  return found == values_.end() ? std::string() : found->second;
}

Status FakeRegistry::SetStringValue(RegistryRoot, const std::string& key, const std::string& name,
                                    const std::string& text) {
  if (failWrites) {
    return Status::Failure("Не удалось записать параметр реестра \"" + name + "\" в разделе \"" +
                           key + "\": отказано в доступе.");
  }
  ++writeCount;
  Put(key, name, text);
  return Status::Ok();
}

void FakeRegistry::Put(const std::string& key, const std::string& name, const std::string& text) {
  values_[{Fold(key), Fold(name)}] = text;
}

bool FakeRegistry::Has(const std::string& key, const std::string& name) const {
  return values_.count({Fold(key), Fold(name)}) != 0;
}

}  // namespace mirella::testing
