#include "win32/resources.h"

namespace mirella::ui::win32 {

std::wstring ResourceNameOf(std::string_view assetPath) {
  std::wstring name;
  for (char c : assetPath) {
    if (c >= 'a' && c <= 'z') {
      name += static_cast<wchar_t>(c - 'a' + 'A');
    } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
      name += static_cast<wchar_t>(c);
    } else {
      name += L'_';
    }
  }
  return name;
}

std::span<const std::byte> ResourceBytes(HMODULE module, std::string_view assetPath) {
  const std::wstring name = ResourceNameOf(assetPath);
  HRSRC resource = FindResourceW(module, name.c_str(), RT_RCDATA);
  if (resource == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, resource);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return {};
  return {static_cast<const std::byte*>(data), SizeofResource(module, resource)};
}

}  // namespace mirella::ui::win32
