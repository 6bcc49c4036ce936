#include "system/environment_win32.h"

#include <windows.h>
#include <sddl.h>
#include <shlobj.h>

#include <vector>

#include "win32/handles.h"
#include "win32/long_path.h"
#include "win32/shell_functions.h"
#include "win32/wide_text.h"

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
  // A program started from a long folder gets a long name: grow the buffer until it fits.
  std::wstring path(512, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    if (path.size() >= 65536) return {};  // no Windows path is that long
    path.resize(path.size() * 2);
  }
  const auto slash = path.find_last_of(L'\\');
  if (slash != std::wstring::npos) path.resize(slash);
  // Started through a "\\?\" path, the name keeps that form; pages and links need the ordinary one.
  return Narrow(WithoutTrailingBackslash(OrdinaryPath(path)));
}

std::string Win32Environment::CurrentUserSid() const {
  UniqueKernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put())) return {};
  DWORD size = 0;
  GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  if (size == 0 || !GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size)) {
    return {};
  }
  LocalMemory<wchar_t> text;
  if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid,
                              text.Put())) {
    return {};
  }
  return Narrow(text.Get());
}

namespace {

// A shell folder of the current user, or empty.
std::string ShellFolder(int csidl) {
  // Through the shell's item list and its parsing name, which has no length limit (the
  // path-returning calls of older systems fill a buffer of at most 260 characters).
  const ShellFunctions& shell = Shell();
  if (!shell.shGetFolderLocation || !shell.shGetDesktopFolder || !shell.strRetToStr) return {};
  CoTaskMemory<ITEMIDLIST> folder;
  if (FAILED(shell.shGetFolderLocation(nullptr, csidl, nullptr, 0, folder.Put()))) {
    return {};
  }
  ComPtr<IShellFolder> desktop;
  if (FAILED(shell.shGetDesktopFolder(desktop.Put()))) return {};
  STRRET name{};
  if (FAILED(desktop->GetDisplayNameOf(folder.Get(), SHGDN_FORPARSING, &name))) return {};
  CoTaskMemory<wchar_t> text;
  if (FAILED(shell.strRetToStr(&name, folder.Get(), text.Put()))) return {};
  const std::wstring path = OrdinaryPath(text.Get());
  // A virtual folder would answer with a "::{...}" name; only a real folder will do.
  if (path.size() < 3 || (path[1] != L':' && path.rfind(L"\\\\", 0) != 0)) return {};
  return Narrow(WithoutTrailingBackslash(path));
}

}  // namespace

std::string Win32Environment::ShellAppDataFolder() const { return ShellFolder(CSIDL_APPDATA); }

std::string Win32Environment::ShellLocalAppDataFolder() const {
  return ShellFolder(CSIDL_LOCAL_APPDATA);
}

std::string Win32Environment::TemporaryFolder() const {
  const auto path = SizedText([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
  if (!path) return {};
  return Narrow(WithoutTrailingBackslash(OrdinaryPath(*path)));
}

}  // namespace mirella
