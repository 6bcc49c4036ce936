#include "system/file_system_win32.h"

#include <windows.h>

#include "system/wide_text_win32.h"

namespace mirella {

namespace {

// A file handle, closed when it goes out of scope.
class OpenFile {
 public:
  explicit OpenFile(HANDLE handle) : handle_(handle) {}
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  ~OpenFile() { Close(); }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool Close() {
    if (!valid()) return true;
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

Status Failure(const char* what, const std::string& path, DWORD error) {
  return Status::Failure(std::string(what) + " \"" + path + "\": " + SystemErrorText(error) + ".");
}

std::wstring ParentOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

// A new, empty temporary file in the target's folder, so that the final move stays on one volume.
bool MakeTemporaryBeside(const std::wstring& target, std::wstring& temporary) {
  wchar_t name[MAX_PATH] = {};
  if (GetTempFileNameW(ParentOf(target).c_str(), L"mir", 0, name) == 0) return false;
  temporary = name;
  return true;
}

// Moves the finished temporary file over the target. A hidden or system target is replaced all
// the same; a read-only one is not, since the user protected it.
bool MoveOver(const std::wstring& temporary, const std::wstring& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  // Windows refuses to move over a read-only file; say so ourselves, as not every
  // implementation of the call does.
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  const DWORD protectedByShell = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const bool clear = attributes != INVALID_FILE_ATTRIBUTES && (attributes & protectedByShell) != 0;
  if (clear) SetFileAttributesW(target.c_str(), attributes & ~protectedByShell);
  if (MoveFileExW(temporary.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  const DWORD error = GetLastError();
  if (clear) SetFileAttributesW(target.c_str(), attributes);
  SetLastError(error);
  return false;
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) const {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::DirectoryExists(const std::string& path) const {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

Status Win32FileSystem::CreateDirectories(const std::string& path) {
  if (DirectoryExists(path)) return Status::Ok();
  const std::wstring wide = Widen(path);
  // Create each missing folder from the root down.
  for (size_t slash = wide.find_first_of(L"\\/", 3); ; slash = wide.find_first_of(L"\\/", slash + 1)) {
    const std::wstring folder = wide.substr(0, slash);
    if (!folder.empty() && !CreateDirectoryW(folder.c_str(), nullptr)) {
      const DWORD error = GetLastError();
      if (error != ERROR_ALREADY_EXISTS) return Failure("Не удалось создать папку", path, error);
    }
    if (slash == std::wstring::npos) break;
  }
  if (!DirectoryExists(path)) {
    return Failure("Не удалось создать папку", path, ERROR_PATH_NOT_FOUND);
  }
  return Status::Ok();
}

Status Win32FileSystem::WriteFileReplacing(const std::string& path, std::string_view bytes) {
  const std::wstring target = Widen(path);
  std::wstring temporary;
  if (!MakeTemporaryBeside(target, temporary)) {
    return Failure("Не удалось записать файл", path, GetLastError());
  }
  DWORD error = ERROR_SUCCESS;
  {
    OpenFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file.valid() ||
        !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
      error = GetLastError();
    } else if (written != bytes.size()) {
      // A short write is a failure even though the call succeeded, and the last error then
      // names nothing of it (or whatever an earlier call left there).
      error = ERROR_WRITE_FAULT;
    } else if (!FlushFileBuffers(file.get()) || !file.Close()) {
      error = GetLastError();
    }
  }
  if (error == ERROR_SUCCESS && !MoveOver(temporary, target)) error = GetLastError();
  if (error != ERROR_SUCCESS) {
    DeleteFileW(temporary.c_str());
    return Failure("Не удалось записать файл", path, error);
  }
  return Status::Ok();
}

Status Win32FileSystem::CopyFileReplacing(const std::string& source, const std::string& target) {
  const std::wstring wideTarget = Widen(target);
  std::wstring temporary;
  if (!MakeTemporaryBeside(wideTarget, temporary)) {
    return Failure("Не удалось записать файл", target, GetLastError());
  }
  if (!CopyFileW(Widen(source).c_str(), temporary.c_str(), FALSE)) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    return Failure("Не удалось скопировать файл", source, error);
  }
  // The copy keeps the source's attributes; the new desktop file starts as an ordinary one.
  SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!MoveOver(temporary, wideTarget)) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    return Failure("Не удалось записать файл", target, error);
  }
  return Status::Ok();
}

Result<std::string> Win32FileSystem::ReadFile(const std::string& path) const {
  OpenFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return Failure("Не удалось прочитать файл", path, GetLastError());
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) {
    return Failure("Не удалось прочитать файл", path, GetLastError());
  }
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size())) {
    return Failure("Не удалось прочитать файл", path, GetLastError());
  }
  return bytes;
}

Status Win32FileSystem::RemoveFile(const std::string& path) {
  if (DeleteFileW(Widen(path).c_str())) return Status::Ok();
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Status::Ok();
  return Failure("Не удалось удалить файл", path, error);
}

}  // namespace mirella
