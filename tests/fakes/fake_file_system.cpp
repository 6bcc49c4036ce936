#include "fakes/fake_file_system.h"

#include <cctype>
#include <utility>

namespace mirella::testing {

std::string FakeFileSystem::Key(const std::string& path) {
  std::string key = path;
  while (key.size() > 3 && key.back() == '\\') key.pop_back();
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

std::string FakeFileSystem::Parent(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool FakeFileSystem::FileExists(const std::string& path) const {
  return files_.count(Key(path)) != 0;
}

bool FakeFileSystem::DirectoryExists(const std::string& path) const {
  return directories_.count(Key(path)) != 0;
}

void FakeFileSystem::AddDirectory(const std::string& path) {
  for (std::string folder = path; !folder.empty(); folder = Parent(folder)) {
    directories_.insert(Key(folder));
  }
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& bytes) {
  AddDirectory(Parent(path));
  files_[Key(path)] = bytes;
}

Status FakeFileSystem::CreateDirectories(const std::string& path) {
  if (DirectoryExists(path)) return Status::Ok();
  for (std::string folder = Parent(path); !folder.empty(); folder = Parent(folder)) {
    if (readOnlyFolders.count(folder) != 0) {
      return Status::Failure("Не удалось создать папку \"" + path + "\": отказано в доступе.");
    }
  }
  AddDirectory(path);
  return Status::Ok();
}

bool FakeFileSystem::IsReadOnly(const std::string& path) const {
  auto found = attributes_.find(Key(path));
  return found != attributes_.end() && (found->second & 0x1u) != 0;
}

Status FakeFileSystem::CheckWritable(const std::string& path) {
  const std::string folder = Parent(path);
  if (!DirectoryExists(folder)) {
    return Status::Failure("Не удалось записать файл \"" + path + "\": папка \"" + folder +
                           "\" не существует.");
  }
  if (readOnlyFolders.count(folder) != 0 || writesLeft == 0 || IsReadOnly(path)) {
    return Status::Failure("Не удалось записать файл \"" + path + "\": отказано в доступе.");
  }
  if (writesLeft > 0) --writesLeft;
  return Status::Ok();
}

Status FakeFileSystem::WriteFileReplacing(const std::string& path, std::string_view bytes) {
  if (Status writable = CheckWritable(path); !writable) return writable;
  ++writeCount;
  files_[Key(path)] = std::string(bytes);
  return Status::Ok();
}

Status FakeFileSystem::CopyFileReplacing(const std::string& source, const std::string& target) {
  // Read first and write after, as the real one does.
  Result<std::string> bytes = ReadFile(source);
  if (!bytes) return bytes.status();
  if (Status writable = CheckWritable(target); !writable) return writable;
  ++writeCount;
  files_[Key(target)] = std::move(bytes).value();
  return Status::Ok();
}

Result<std::string> FakeFileSystem::ReadFile(const std::string& path) const {
  if (unreadableFiles.count(path) != 0) {
    return Status::Failure("Не удалось прочитать файл \"" + path + "\": отказано в доступе.");
  }
  auto found = files_.find(Key(path));
  if (found == files_.end()) {
    const std::string folder = Parent(path);
    return Status::Failure("Не удалось прочитать файл \"" + path + "\": " +
                           (DirectoryExists(folder) ? "файл не найден."
                                                    : "папка \"" + folder + "\" не существует."));
  }
  return found->second;
}

Status FakeFileSystem::RemoveFile(const std::string& path) {
  if (!FileExists(path)) return Status::Ok();
  if (readOnlyFolders.count(Parent(path)) != 0 || writesLeft == 0 || IsReadOnly(path)) {
    return Status::Failure("Не удалось удалить файл \"" + path + "\": отказано в доступе.");
  }
  if (writesLeft > 0) --writesLeft;
  files_.erase(Key(path));
  attributes_.erase(Key(path));
  return Status::Ok();
}

Result<std::uint32_t> FakeFileSystem::ReadAttributes(const std::string& path) const {
  if (!FileExists(path)) {
    return Status::Failure("Не удалось прочитать атрибуты файла \"" + path + "\": файл не найден.");
  }
  auto found = attributes_.find(Key(path));
  return found == attributes_.end() ? std::uint32_t{0} : found->second;
}

Status FakeFileSystem::WriteAttributes(const std::string& path, std::uint32_t attributes) {
  if (!FileExists(path) || readOnlyFolders.count(Parent(path)) != 0) {
    return Status::Failure("Не удалось изменить атрибуты файла \"" + path + "\".");
  }
  attributes_[Key(path)] = attributes;
  return Status::Ok();
}

}  // namespace mirella::testing
