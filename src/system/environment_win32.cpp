#include "system/environment_win32.h"

#include <windows.h>
#include <sddl.h>
#include <shlobj.h>

#include <vector>

#include "system/wide_text_win32.h"

namespace mirella {

namespace {

std::wstring WithoutTrailingBackslash(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

}  // namespace

std::optional<std::string> Win32Environment::GetVariable(const std::string& name) const {
  const std::wstring wideName = Widen(name);
  SetLastError(ERROR_SUCCESS);
  DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (size == 0) {
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::string();
  }
  std::wstring value(size, L'\0');
  size = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
  value.resize(size);
  return Narrow(value);
}

std::string Win32Environment::ProgramFolder() const {
  // Long paths do not fit MAX_PATH: grow the buffer until the whole name fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      std::wstring path(buffer.data(), length);
      const auto slash = path.find_last_of(L'\\');
      if (slash != std::wstring::npos) path.resize(slash);
      return Narrow(WithoutTrailingBackslash(path));
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string Win32Environment::CurrentUserSid() const {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  std::string sid;
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  if (size != 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
    wchar_t* text = nullptr;
    if (ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
      sid = Narrow(text);
      LocalFree(text);
    }
  }
  CloseHandle(token);
  return sid;
}

std::string Win32Environment::ShellAppDataFolder() const {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
    return {};
  }
  return Narrow(WithoutTrailingBackslash(path));
}

std::string Win32Environment::TemporaryFolder() const {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, path);
  if (length == 0 || length > MAX_PATH) return {};
  return Narrow(WithoutTrailingBackslash(std::wstring(path, length)));
}

}  // namespace mirella
