#include "system/registry_win32.h"

#include <cstring>
#include <utility>

#include "win32/handles.h"
#include "win32/wide_text.h"

namespace mirella {

namespace {

std::wstring ExpandVariables(const std::wstring& text) {
  DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  for (;;) {
    std::wstring expanded(size, L'\0');
    const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), size);
    if (needed == 0) return text;
    if (needed <= size) {
      expanded.resize(needed - 1);
      return expanded;
    }
    size = needed;
  }
}

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kCurrentUser: break;
    case RegistryRoot::kLocalMachine: return HKEY_LOCAL_MACHINE;
  }
  return HKEY_CURRENT_USER;
}

}  // namespace

namespace registry {

std::string GetStringValue(HKEY root, const std::string& key, const std::string& name) {
  const auto stored = ReadValue(root, key, name);
  if (!stored || !stored.value()) return {};
  const RegistryValue& value = *stored.value();
  if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) return {};
  std::wstring text(value.data.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), value.data.data(), text.size() * sizeof(wchar_t));
  // A stored string may or may not carry its terminating NUL (or several).
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  if (value.type == REG_EXPAND_SZ) text = ExpandVariables(text);
  return Narrow(text);
}

Result<std::optional<RegistryValue>> ReadValue(HKEY root, const std::string& key,
                                               const std::string& name) {
  const auto failure = [&](LONG error) {
    return Status::Failure("Не удалось прочитать параметр реестра \"" + name + "\" в разделе \"" +
                           key + "\": " + SystemErrorText(static_cast<DWORD>(error)) + ".");
  };
  UniqueKey handle;
  // The x86 program on 64-bit Windows reads the machine's policies where the system does, not
  // in the 32-bit view (the flag is ignored on 32-bit Windows).
  const REGSAM view = root == HKEY_LOCAL_MACHINE ? KEY_WOW64_64KEY : 0;
  LONG status = RegOpenKeyExW(root, Widen(key).c_str(), 0, KEY_QUERY_VALUE | view, handle.Put());
  if (status == ERROR_FILE_NOT_FOUND) return std::optional<RegistryValue>();
  if (status != ERROR_SUCCESS) return failure(status);
  const std::wstring valueName = Widen(name);
  DWORD type = 0;
  DWORD size = 0;
  std::string data;
  status = RegQueryValueExW(handle.Get(), valueName.c_str(), nullptr, &type, nullptr, &size);
  // The value may grow between the two calls; ask again until the buffer holds it.
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    data.resize(size);
    DWORD received = size;
    status = RegQueryValueExW(handle.Get(), valueName.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &received);
    if (status == ERROR_SUCCESS) {
      data.resize(received);
      break;
    }
    if (status == ERROR_MORE_DATA) size = received;
  }
  if (status == ERROR_FILE_NOT_FOUND) return std::optional<RegistryValue>();
  if (status != ERROR_SUCCESS) return failure(status);
  return std::optional<RegistryValue>(RegistryValue{type, std::move(data)});
}

Status SetStringValue(HKEY root, const std::string& key, const std::string& name,
                      const std::string& text) {
  const std::wstring wide = Widen(text);
  std::string data(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * sizeof(wchar_t));
  return WriteValue(root, key, name, RegistryValue{REG_SZ, std::move(data)});
}

Status WriteValue(HKEY root, const std::string& key, const std::string& name,
                  const RegistryValue& value) {
  UniqueKey handle;
  LONG status = RegCreateKeyExW(root, Widen(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_SET_VALUE, nullptr, handle.Put(), nullptr);
  if (status == ERROR_SUCCESS) {
    status = RegSetValueExW(handle.Get(), Widen(name).c_str(), 0, value.type,
                            reinterpret_cast<const BYTE*>(value.data.data()),
                            static_cast<DWORD>(value.data.size()));
  }
  if (status == ERROR_SUCCESS) return Status::Ok();
  return Status::Failure("Не удалось записать параметр реестра \"" + name + "\" в разделе \"" + key +
                         "\": " + SystemErrorText(static_cast<DWORD>(status)) + ".");
}

Status DeleteValue(HKEY root, const std::string& key, const std::string& name) {
  UniqueKey handle;
  LONG status = RegOpenKeyExW(root, Widen(key).c_str(), 0, KEY_SET_VALUE, handle.Put());
  if (status == ERROR_SUCCESS) status = RegDeleteValueW(handle.Get(), Widen(name).c_str());
  if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) return Status::Ok();
  return Status::Failure("Не удалось удалить параметр реестра \"" + name + "\" в разделе \"" + key +
                         "\": " + SystemErrorText(static_cast<DWORD>(status)) + ".");
}

}  // namespace registry

std::string Win32Registry::GetStringValue(RegistryRoot root, const std::string& key,
                                          const std::string& name) const {
  return registry::GetStringValue(RootKey(root), key, name);
}

Status Win32Registry::SetStringValue(RegistryRoot root, const std::string& key,
                                     const std::string& name, const std::string& text) {
  return registry::SetStringValue(RootKey(root), key, name, text);
}

Result<std::optional<RegistryValue>> Win32Registry::ReadValue(RegistryRoot root,
                                                              const std::string& key,
                                                              const std::string& name) const {
  return registry::ReadValue(RootKey(root), key, name);
}

Status Win32Registry::WriteValue(RegistryRoot root, const std::string& key,
                                 const std::string& name, const RegistryValue& value) {
  return registry::WriteValue(RootKey(root), key, name, value);
}

Status Win32Registry::DeleteValue(RegistryRoot root, const std::string& key,
                                  const std::string& name) {
  return registry::DeleteValue(RootKey(root), key, name);
}

}  // namespace mirella
