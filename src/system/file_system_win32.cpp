#include "system/file_system_win32.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "win32/handles.h"
#include "win32/long_path.h"
#include "win32/wide_text.h"

namespace mirella {

namespace {

constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The reason for a failed file operation, in Russian whatever the system's language: our own
// words for the errors files commonly meet, the system's description for the rest.
std::string Reason(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND: return "файл не найден";
    case ERROR_PATH_NOT_FOUND: return "путь не найден";
    case ERROR_ACCESS_DENIED: return "отказано в доступе";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return "файл открыт другой программой";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "на диске недостаточно места";
    case ERROR_WRITE_PROTECT: return "диск защищён от записи";
    case ERROR_NOT_READY: return "устройство не готово";
    case ERROR_FILENAME_EXCED_RANGE: return "путь слишком длинный для этой системы";
    case ERROR_INVALID_NAME: return "недопустимое или слишком длинное имя файла или папки";
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return "сетевая папка недоступна";
    case ERROR_WRITE_FAULT: return "ошибка записи на устройство";
    case ERROR_READ_FAULT: return "ошибка чтения с устройства";
    case ERROR_FILE_TOO_LARGE: return "файл слишком большой";
    default: return SystemErrorText(error);
  }
}

// The limits every Windows file system sets, whatever the system says when one is passed (Wine,
// for one, reports a name that is too long as not found): 255 characters for one name, about
// 32,767 for a whole "\\?\" path. Empty when `path` keeps within them.
std::string LengthReason(const std::wstring& path) {
  constexpr size_t kLongestPath = 32767;
  constexpr size_t kLongestName = 255;
  if (path.size() >= kLongestPath) return "путь длиннее 32 767 знаков, допустимых в Windows";
  for (size_t start = RootLength(path); start < path.size();) {
    const size_t end = std::min(path.find(L'\\', start), path.size());
    if (end - start > kLongestName) return "имя папки или файла длиннее 255 знаков";
    start = end + 1;
  }
  return {};
}

// The reason an operation on `path` failed with `error`.
std::string ReasonFor(DWORD error, const std::wstring& path) {
  const std::string tooLong = LengthReason(path);
  return tooLong.empty() ? Reason(error) : tooLong;
}

std::string Quoted(const std::wstring& path) {
  std::string quoted = Narrow(OrdinaryPath(path));
  quoted.insert(quoted.begin(), '"');
  quoted.push_back('"');
  return quoted;
}

Status Failure(const char* what, const std::string& path, const std::string& reason) {
  return Status::Failure(std::string(what) + " \"" + path + "\": " + reason + ".");
}

Status Failure(const char* what, const std::string& path, DWORD error) {
  return Failure(what, path, Reason(error));
}

DWORD AttributesOf(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool IsFolder(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder that holds `path` (an extended path); the root keeps its backslash.
std::wstring ParentOf(const std::wstring& path) {
  const size_t root = RootLength(path);
  const size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos || slash < root) return path.substr(0, root);
  return path.substr(0, std::max(slash, root));
}

// Why nothing can be created in `folder`, when the cause is that it is missing or is no folder;
// empty when the folder is there.
std::string MissingFolderReason(const std::wstring& folder) {
  const DWORD attributes = AttributesOf(folder);
  if (IsFolder(attributes)) return {};
  if (attributes != INVALID_FILE_ATTRIBUTES) return Quoted(folder) + " — это файл, а не папка";
  return "папка " + Quoted(folder) + " не существует";
}

// A name for a temporary file beside `target`: the target's own name and a suffix that differs
// from call to call and from process to process.
std::wstring TemporaryName(const std::wstring& target, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
  const unsigned mixed = (GetCurrentProcessId() * 2654435761u) ^ GetTickCount() ^
                         (counter.fetch_add(1) * 40503u) ^ (attempt * 2246822519u);
  std::wstring suffix = L".~00000000.tmp";
  for (int digit = 0; digit < 8; ++digit) {
    suffix[9 - digit] = L"0123456789abcdef"[(mixed >> (4 * digit)) & 0xf];
  }
  // Keep the name within the 255 characters a file system allows for one name.
  const size_t slash = target.find_last_of(L'\\');
  std::wstring name = target.substr(slash + 1);
  constexpr size_t kLongestKeptName = 240;
  if (name.size() > kLongestKeptName) {
    name.resize(kLongestKeptName);
    if (IS_HIGH_SURROGATE(name.back())) name.pop_back();
  }
  return target.substr(0, slash + 1) + name + suffix;
}

// A new, empty temporary file in the target's folder (so that the final move stays on one
// volume), opened for writing. Names already taken are skipped.
UniqueFile CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary) {
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    temporary = TemporaryName(target, attempt);
    UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return file;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  temporary.clear();
  return UniqueFile();
}

// Moves the finished temporary file over the target. A hidden or system target is replaced all
// the same (the temporary file already carries those attributes).
bool MoveOver(const std::wstring& temporary, const std::wstring& target, DWORD targetAttributes) {
  const bool clear =
      targetAttributes != INVALID_FILE_ATTRIBUTES && (targetAttributes & kKeptAttributes) != 0;
  if (clear) SetFileAttributesW(target.c_str(), targetAttributes & ~kKeptAttributes);
  if (MoveFileExW(temporary.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  const DWORD error = GetLastError();
  if (clear) SetFileAttributesW(target.c_str(), targetAttributes);
  SetLastError(error);
  return false;
}

// Writes `bytes` to a temporary file beside `target` and moves it over `target`, keeping the old
// file's hidden and system attributes. A read-only target is refused, since the user protected it.
Status ReplaceWith(const std::string& shownPath, std::string_view bytes) {
  constexpr const char* kWhat = "Не удалось записать файл";
  const std::wstring target = ExtendedPath(shownPath);
  const DWORD oldAttributes = AttributesOf(target);
  if (IsFolder(oldAttributes)) return Failure(kWhat, shownPath, "на этом месте находится папка");
  if (oldAttributes != INVALID_FILE_ATTRIBUTES && (oldAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return Failure(kWhat, shownPath, "файл доступен только для чтения");
  }

  std::wstring temporary;
  UniqueFile file = CreateTemporaryBeside(target, temporary);
  if (!file) {
    const DWORD error = GetLastError();
    std::string reason = LengthReason(target);
    if (reason.empty()) reason = MissingFolderReason(ParentOf(target));
    return Failure(kWhat, shownPath, reason.empty() ? Reason(error) : reason);
  }
  DWORD error = ERROR_SUCCESS;
  DWORD written = 0;
  if (bytes.size() > MAXDWORD) {
    error = ERROR_FILE_TOO_LARGE;
  } else if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                        nullptr)) {
    error = GetLastError();
  } else if (written != bytes.size()) {
    // A short write is a failure even though the call succeeded, and the last error then
    // names nothing of it (or whatever an earlier call left there).
    error = ERROR_WRITE_FAULT;
  } else if (!FlushFileBuffers(file.Get()) || !CloseHandle(file.Release())) {
    error = GetLastError();
  }
  file.Reset();
  if (error == ERROR_SUCCESS && oldAttributes != INVALID_FILE_ATTRIBUTES &&
      (oldAttributes & kKeptAttributes) != 0 &&
      !SetFileAttributesW(temporary.c_str(), oldAttributes & kKeptAttributes)) {
    error = GetLastError();
  }
  if (error == ERROR_SUCCESS && !MoveOver(temporary, target, oldAttributes)) {
    error = GetLastError();
  }
  if (error != ERROR_SUCCESS) {
    DeleteFileW(temporary.c_str());
    return Failure(kWhat, shownPath, ReasonFor(error, target));
  }
  return Status::Ok();
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) const {
  const DWORD attributes = AttributesOf(ExtendedPath(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::DirectoryExists(const std::string& path) const {
  return IsFolder(AttributesOf(ExtendedPath(path)));
}

Status Win32FileSystem::CreateDirectories(const std::string& path) {
  constexpr const char* kWhat = "Не удалось создать папку";
  std::wstring folder = ExtendedPath(path);
  const size_t rootLength = RootLength(folder);
  if (rootLength == 0) return Failure(kWhat, path, ERROR_INVALID_NAME);
  std::wstring root = folder.substr(0, rootLength);
  if (root.back() != L'\\') root += L'\\';
  while (folder.size() > root.size() && folder.back() == L'\\') folder.pop_back();

  // Walk up to the first folder that exists, whatever the root, then create downwards.
  std::vector<std::wstring> missing;
  for (;;) {
    const DWORD attributes = AttributesOf(folder);
    if (IsFolder(attributes)) break;
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      return Failure(kWhat, path, Quoted(folder) + " — это файл, а не папка");
    }
    if (folder.size() <= root.size()) {
      return Failure(kWhat, path, "диск или сетевая папка " + Quoted(root) + " недоступны");
    }
    missing.push_back(folder);
    folder = ParentOf(folder);
    if (folder.size() < root.size()) folder = root;
  }
  for (auto next = missing.rbegin(); next != missing.rend(); ++next) {
    if (CreateDirectoryW(next->c_str(), nullptr)) continue;
    const DWORD error = GetLastError();
    // Another program may have made it in the meantime.
    if (error == ERROR_ALREADY_EXISTS && IsFolder(AttributesOf(*next))) continue;
    return Failure(kWhat, Narrow(OrdinaryPath(*next)), ReasonFor(error, *next));
  }
  return Status::Ok();
}

Status Win32FileSystem::WriteFileReplacing(const std::string& path, std::string_view bytes) {
  return ReplaceWith(path, bytes);
}

Status Win32FileSystem::CopyFileReplacing(const std::string& source, const std::string& target) {
  // Read first and write after, so that a failure names the file that failed.
  Result<std::string> bytes = ReadFile(source);
  if (!bytes) return bytes.status();
  return ReplaceWith(target, bytes.value());
}

Result<std::string> Win32FileSystem::ReadFile(const std::string& path) const {
  constexpr const char* kWhat = "Не удалось прочитать файл";
  const std::wstring wide = ExtendedPath(path);
  const UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    if (error == ERROR_PATH_NOT_FOUND) {
      const std::string missing = MissingFolderReason(ParentOf(wide));
      if (!missing.empty()) return Failure(kWhat, path, missing);
    }
    if (error == ERROR_ACCESS_DENIED && IsFolder(AttributesOf(wide))) {
      return Failure(kWhat, path, "на этом месте находится папка");
    }
    return Failure(kWhat, path, ReasonFor(error, wide));
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) return Failure(kWhat, path, GetLastError());
  // The program reads pages and scripts; a file past 2 GB is not one of them.
  if (size.QuadPart > 0x7fffffff) return Failure(kWhat, path, ERROR_FILE_TOO_LARGE);
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty()) {
    if (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
      return Failure(kWhat, path, GetLastError());
    }
    // Another program shortened the file while it was read.
    if (read != bytes.size()) return Failure(kWhat, path, ERROR_READ_FAULT);
  }
  return bytes;
}

Status Win32FileSystem::RemoveFile(const std::string& path) {
  if (DeleteFileW(ExtendedPath(path).c_str())) return Status::Ok();
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Status::Ok();
  return Failure("Не удалось удалить файл", path, error);
}

Result<std::uint32_t> Win32FileSystem::ReadAttributes(const std::string& path) const {
  const DWORD attributes = AttributesOf(ExtendedPath(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return Failure("Не удалось прочитать атрибуты файла", path, GetLastError());
  }
  return static_cast<std::uint32_t>(attributes);
}

Status Win32FileSystem::WriteAttributes(const std::string& path, std::uint32_t attributes) {
  if (SetFileAttributesW(ExtendedPath(path).c_str(), attributes)) return Status::Ok();
  return Failure("Не удалось изменить атрибуты файла", path, GetLastError());
}

}  // namespace mirella
