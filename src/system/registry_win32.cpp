#include "system/registry_win32.h"

#include <vector>

#include "system/wide_text_win32.h"

namespace mirella {

namespace {

// An open registry key, closed when it goes out of scope.
class OpenKey {
 public:
  OpenKey() = default;
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY* Receive() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

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
  }
  return HKEY_CURRENT_USER;
}

}  // namespace

namespace registry {

std::string GetStringValue(HKEY root, const std::string& key, const std::string& name) {
  OpenKey handle;
  if (RegOpenKeyExW(root, Widen(key).c_str(), 0, KEY_QUERY_VALUE, handle.Receive()) !=
      ERROR_SUCCESS) {
    return {};
  }
  const std::wstring valueName = Widen(name);
  DWORD type = 0;
  DWORD size = 0;
  std::vector<BYTE> buffer;
  LONG status = RegQueryValueExW(handle.get(), valueName.c_str(), nullptr, &type, nullptr, &size);
  // The value may grow between the two calls; ask again until the buffer holds it.
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    buffer.resize(size + sizeof(wchar_t));
    DWORD received = size;
    status = RegQueryValueExW(handle.get(), valueName.c_str(), nullptr, &type, buffer.data(),
                              &received);
    if (status == ERROR_SUCCESS) {
      size = received;
      break;
    }
    if (status == ERROR_MORE_DATA) size = received;
  }
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  std::wstring text(reinterpret_cast<const wchar_t*>(buffer.data()), size / sizeof(wchar_t));
  // A stored string may or may not carry its terminating NUL (or several).
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  if (type == REG_EXPAND_SZ) text = ExpandVariables(text);
  return Narrow(text);
}

Status SetStringValue(HKEY root, const std::string& key, const std::string& name,
                      const std::string& text) {
  const auto failure = [&](LONG error) {
    return Status::Failure("Не удалось записать параметр реестра \"" + name + "\" в разделе \"" +
                           key + "\": " + SystemErrorText(static_cast<DWORD>(error)) + ".");
  };
  OpenKey handle;
  LONG status = RegCreateKeyExW(root, Widen(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_SET_VALUE, nullptr, handle.Receive(), nullptr);
  if (status != ERROR_SUCCESS) return failure(status);
  const std::wstring data = Widen(text);
  status = RegSetValueExW(handle.get(), Widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  if (status != ERROR_SUCCESS) return failure(status);
  return Status::Ok();
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

}  // namespace mirella
