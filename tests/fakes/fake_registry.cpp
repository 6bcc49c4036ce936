#include "fakes/fake_registry.h"

#include <cctype>

namespace mirella::testing {

namespace {
constexpr std::uint32_t kString = 1;
constexpr std::uint32_t kExpandString = 2;
}  // namespace

std::string FakeRegistry::Fold(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

std::string FakeRegistry::GetStringValue(RegistryRoot, const std::string& key,
                                         const std::string& name) const {
  auto found = values_.find({Fold(key), Fold(name)});
  if (found == values_.end()) return {};
  const RegistryValue& value = found->second;
  return value.type == kString || value.type == kExpandString ? value.data : std::string();
}

Status FakeRegistry::CheckWritable(const std::string& key, const std::string& name) {
  if (failWrites || writesLeft == 0 || deniedKeys.count(key) != 0) {
    return Status::Failure("Не удалось записать параметр реестра \"" + name + "\" в разделе \"" +
                           key + "\": отказано в доступе.");
  }
  if (writesLeft > 0) --writesLeft;
  ++writeCount;
  return Status::Ok();
}

Status FakeRegistry::SetStringValue(RegistryRoot root, const std::string& key,
                                    const std::string& name, const std::string& text) {
  return WriteValue(root, key, name, RegistryValue{kString, text});
}

Result<std::optional<RegistryValue>> FakeRegistry::ReadValue(RegistryRoot, const std::string& key,
                                                             const std::string& name) const {
  if (unreadableKeys.count(key) != 0) {
    return Status::Failure("Не удалось прочитать параметр реестра \"" + name + "\" в разделе \"" +
                           key + "\": отказано в доступе.");
  }
  auto found = values_.find({Fold(key), Fold(name)});
  if (found == values_.end()) return std::optional<RegistryValue>();
  return std::optional<RegistryValue>(found->second);
}

Status FakeRegistry::WriteValue(RegistryRoot, const std::string& key, const std::string& name,
                                const RegistryValue& value) {
  if (Status writable = CheckWritable(key, name); !writable) return writable;
  values_[{Fold(key), Fold(name)}] = value;
  return Status::Ok();
}

Status FakeRegistry::DeleteValue(RegistryRoot, const std::string& key, const std::string& name) {
  if (Status writable = CheckWritable(key, name); !writable) return writable;
  values_.erase({Fold(key), Fold(name)});
  return Status::Ok();
}

void FakeRegistry::Put(const std::string& key, const std::string& name, const std::string& text) {
  values_[{Fold(key), Fold(name)}] = RegistryValue{kString, text};
}

bool FakeRegistry::Has(const std::string& key, const std::string& name) const {
  return values_.count({Fold(key), Fold(name)}) != 0;
}

}  // namespace mirella::testing
