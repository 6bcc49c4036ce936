#include "win32/long_path.h"

#include <windows.h>

#include "win32/wide_text.h"

namespace mirella {

namespace {

constexpr std::wstring_view kExtendedPrefix = L"\\\\?\\";
constexpr std::wstring_view kExtendedUncPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    // The prefixes hold only "\", "?", "." and upper-case letters; "unc" counts as "UNC".
    const wchar_t c = text[i] >= L'a' && text[i] <= L'z' ? text[i] - L'a' + L'A' : text[i];
    if (c != prefix[i]) return false;
  }
  return true;
}

// The whole path as the system reads an ordinary path, or the path itself when that fails.
std::wstring FullPath(const std::wstring& path) {
  return SizedText([&](wchar_t* buffer, DWORD size) {
           return GetFullPathNameW(path.c_str(), size, buffer, nullptr);
         }).value_or(path);
}

}  // namespace

std::wstring ExtendedPath(std::wstring_view path) {
  if (path.empty() || StartsWith(path, kExtendedPrefix) || StartsWith(path, kDevicePrefix)) {
    return std::wstring(path);
  }
  const std::wstring full = FullPath(std::wstring(path));
  if (StartsWith(full, kExtendedPrefix) || StartsWith(full, kDevicePrefix)) return full;
  if (full.size() >= 2 && full[0] == L'\\' && full[1] == L'\\') {
    return std::wstring(kExtendedUncPrefix) + full.substr(2);
  }
  if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') {
    return std::wstring(kExtendedPrefix) + full;
  }
  return full;
}

std::wstring ExtendedPath(std::string_view utf8Path) { return ExtendedPath(Widen(utf8Path)); }

std::wstring OrdinaryPath(std::wstring_view path) {
  if (StartsWith(path, kExtendedUncPrefix)) {
    return L"\\\\" + std::wstring(path.substr(kExtendedUncPrefix.size()));
  }
  if (StartsWith(path, kExtendedPrefix)) {
    const std::wstring_view rest = path.substr(kExtendedPrefix.size());
    // Only a drive path has an ordinary form; "\\?\Volume{...}\" keeps its prefix.
    if (rest.size() >= 2 && rest[1] == L':') return std::wstring(rest);
  }
  return std::wstring(path);
}

size_t RootLength(std::wstring_view path) {
  size_t start = 0;
  int components = 0;  // how many names the root holds after the prefix
  if (StartsWith(path, kExtendedUncPrefix)) {
    start = kExtendedUncPrefix.size();
    components = 2;  // server and share
  } else if (StartsWith(path, kExtendedPrefix) || StartsWith(path, kDevicePrefix)) {
    start = kExtendedPrefix.size();
    components = 1;  // "C:" or "Volume{...}"
  } else {
    return 0;
  }
  size_t end = start;
  for (int i = 0; i < components; ++i) {
    const size_t slash = path.find(L'\\', end);
    if (slash == end) return 0;  // an empty name
    if (slash == std::wstring_view::npos) return i + 1 == components ? path.size() : 0;
    end = slash + 1;
  }
  return end;
}

}  // namespace mirella
