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

std::pair<std::string, std::string> FakeRegistry::Slot(RegistryRoot root, const std::string& key,
                                                      const std::string& name) {
  const std::string hive = root == RegistryRoot::kLocalMachine ? "hklm\\" : "";
  return {hive + Fold(key), Fold(name)};
}

std::string FakeRegistry::GetStringValue(RegistryRoot root, const std::string& key,
                                         const std::string& name) const {
  auto found = values_.find(Slot(root, key, name));
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

Result<std::optional<RegistryValue>> FakeRegistry::ReadValue(RegistryRoot root,
                                                             const std::string& key,
                                                             const std::string& name) const {
  if (unreadableKeys.count(key) != 0) {
    return Status::Failure("Не удалось прочитать параметр реестра \"" + name + "\" в разделе \"" +
                           key + "\": отказано в доступе.");
  }
  auto found = values_.find(Slot(root, key, name));
  if (found == values_.end()) return std::optional<RegistryValue>();
  return std::optional<RegistryValue>(found->second);
}

Status FakeRegistry::WriteValue(RegistryRoot root, const std::string& key, const std::string& name,
                                const RegistryValue& value) {
  if (Status writable = CheckWritable(key, name); !writable) return writable;
  values_[Slot(root, key, name)] = value;
  return Status::Ok();
}

Status FakeRegistry::DeleteValue(RegistryRoot root, const std::string& key,
                                 const std::string& name) {
  if (Status writable = CheckWritable(key, name); !writable) return writable;
  values_.erase(Slot(root, key, name));
  return Status::Ok();
}

void FakeRegistry::Put(const std::string& key, const std::string& name, const std::string& text) {
  values_[Slot(RegistryRoot::kCurrentUser, key, name)] = RegistryValue{kString, text};
}

bool FakeRegistry::Has(const std::string& key, const std::string& name) const {
  return values_.count(Slot(RegistryRoot::kCurrentUser, key, name)) != 0;
}

}  // namespace mirella::testing
