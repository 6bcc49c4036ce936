// Win32FileSystem against real files in a fresh temporary folder.

#include "system/file_system_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "fakes/file_system_contract.h"
#include "system/environment_win32.h"
#include "win32/handles.h"
#include "win32/long_path.h"
#include "win32/remove_tree.h"
#include "win32/wide_text.h"

namespace mirella {
namespace {

using testing::RemoveTree;

struct RealFiles {
  static std::unique_ptr<FileSystem> Make() {
    RemoveTree(Widen(Root()));
    CreateDirectoryW(Widen(Root()).c_str(), nullptr);
    return std::make_unique<Win32FileSystem>();
  }
  static std::string Root() { return Win32Environment().TemporaryFolder() + "\\Mirella тест"; }
  static void Cleanup() { RemoveTree(Widen(Root())); }
};

}  // namespace

namespace testing {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, RealFiles);
}  // namespace testing

namespace {

// The names of the files (not folders) in a folder, however long its path.
std::vector<std::wstring> FilesIn(const std::string& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  UniqueFind search(FindFirstFileW((ExtendedPath(folder) + L"\\*").c_str(), &found));
  if (!search) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  } while (FindNextFileW(search.Get(), &found));
  std::sort(names.begin(), names.end());
  return names;
}

// `base` extended by folders of Cyrillic names to exactly `length` UTF-16 characters.
std::string FolderOfLength(std::string base, size_t length) {
  for (size_t size = Widen(base).size(); size < length;) {
    const size_t name = std::min<size_t>(length - size - 1, 100);
    base += "\\";
    for (size_t i = 0; i < name; ++i) base += "ж";
    size += name + 1;
  }
  return base;
}

class RealFileSystem : public ::testing::Test {
 protected:
  void SetUp() override { RealFiles::Make(); }
  void TearDown() override { RealFiles::Cleanup(); }
  std::string Path(const char* name) { return RealFiles::Root() + "\\" + name; }
  Win32FileSystem files;
};

TEST_F(RealFileSystem, ReplacedFilesKeepHiddenAndSystemReadOnlyOnesAreLeftIntact) {
  constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ASSERT_TRUE(files.WriteFileReplacing(Path("theme.htm"), "new").ok());
  ASSERT_TRUE(files.WriteFileReplacing(Path("Desktop.htt"), "old").ok());
  SetFileAttributesW(Widen(Path("Desktop.htt")).c_str(), kHiddenSystem);
  ASSERT_TRUE(files.CopyFileReplacing(Path("theme.htm"), Path("Desktop.htt")).ok());
  EXPECT_EQ(files.ReadFile(Path("Desktop.htt")).value(), "new");
  EXPECT_EQ(GetFileAttributesW(Widen(Path("Desktop.htt")).c_str()) & kHiddenSystem, kHiddenSystem);
  // Putting the old content back keeps them as well; an ordinary file stays ordinary.
  ASSERT_TRUE(files.WriteFileReplacing(Path("Desktop.htt"), "old").ok());
  EXPECT_EQ(GetFileAttributesW(Widen(Path("Desktop.htt")).c_str()) & kHiddenSystem, kHiddenSystem);
  EXPECT_EQ(GetFileAttributesW(Widen(Path("theme.htm")).c_str()) & kHiddenSystem, 0u);

  ASSERT_TRUE(files.WriteFileReplacing(Path("locked.htt"), "old").ok());
  SetFileAttributesW(Widen(Path("locked.htt")).c_str(), FILE_ATTRIBUTE_READONLY);
  const Status refused = files.CopyFileReplacing(Path("theme.htm"), Path("locked.htt"));
  EXPECT_EQ(refused.message(),
            "Не удалось записать файл \"" + Path("locked.htt") +
                "\": файл доступен только для чтения.");
  EXPECT_EQ(files.ReadFile(Path("locked.htt")).value(), "old");
  EXPECT_FALSE(files.WriteFileReplacing(Path("locked.htt"), "x").ok());
  EXPECT_EQ(files.ReadFile(Path("locked.htt")).value(), "old");
  EXPECT_EQ(FilesIn(RealFiles::Root()).size(), 3u) << "no temporary file is left behind";
}

// At 240 characters the folder keeps within the classic limit of 260 but a temporary file beside
// a target does not; at 300 the folder itself is past it.
TEST_F(RealFileSystem, FoldersPastTheClassicLengthLimitWorkThroughout) {
  for (const size_t length : {240u, 300u}) {
    SCOPED_TRACE(length);
    const std::string folder =
        FolderOfLength(RealFiles::Root() + "\\" + std::to_string(length), length);
    ASSERT_EQ(Widen(folder).size(), length);
    ASSERT_TRUE(files.CreateDirectories(folder).ok());
    EXPECT_TRUE(files.DirectoryExists(folder));
    ASSERT_TRUE(files.WriteFileReplacing(folder + "\\desktop.js", "script").ok());
    ASSERT_TRUE(files.WriteFileReplacing(folder + "\\desktop.js", "new script").ok());
    const Status copied =
        files.CopyFileReplacing(folder + "\\desktop.js", folder + "\\Desktop.htt");
    ASSERT_TRUE(copied.ok()) << copied.message();
    EXPECT_TRUE(files.FileExists(folder + "\\Desktop.htt"));
    const auto read = files.ReadFile(folder + "\\Desktop.htt");
    ASSERT_TRUE(read.ok()) << read.message();
    EXPECT_EQ(read.value(), "new script");
    EXPECT_EQ(FilesIn(folder), (std::vector<std::wstring>{L"Desktop.htt", L"desktop.js"}));
    EXPECT_TRUE(files.RemoveFile(folder + "\\Desktop.htt").ok());
    EXPECT_FALSE(files.FileExists(folder + "\\Desktop.htt"));
  }
}

// The walk up to the first existing folder starts from any root: a drive, a "\\?\" path, a
// network share.
TEST_F(RealFileSystem, CreateDirectoriesWalksUpFromAnyRoot) {
  ASSERT_TRUE(files.CreateDirectories("\\\\?\\" + Path("a\\b\\c")).ok());
  EXPECT_TRUE(files.DirectoryExists(Path("a\\b\\c")));
  ASSERT_TRUE(files.CreateDirectories(Path("a\\d\\")).ok());
  EXPECT_TRUE(files.DirectoryExists(Path("a\\d")));

  ASSERT_TRUE(files.WriteFileReplacing(Path("a\\file"), "").ok());
  EXPECT_EQ(files.CreateDirectories(Path("a\\file\\sub")).message(),
            "Не удалось создать папку \"" + Path("a\\file\\sub") + "\": \"" + Path("a\\file") +
                "\" — это файл, а не папка.");

  // One name past the 255 characters any file system allows is named as such, not as missing.
  const std::string tooLong = Path("a\\") + std::string(256, 'x');
  const std::string tooLongReason = "\": имя папки или файла длиннее 255 знаков.";
  EXPECT_EQ(files.CreateDirectories(tooLong + "\\b").message(),
            "Не удалось создать папку \"" + tooLong + tooLongReason);
  EXPECT_EQ(files.WriteFileReplacing(tooLong, "").message(),
            "Не удалось записать файл \"" + tooLong + tooLongReason);

  // No server answers here: the walk reaches the share and says it cannot be reached.
  EXPECT_EQ(files.CreateDirectories("\\\\mirella-no-server\\share\\a\\b").message(),
            "Не удалось создать папку \"\\\\mirella-no-server\\share\\a\\b\": диск или сетевая "
            "папка \"\\\\mirella-no-server\\share\\\" недоступны.");
  const DWORD drives = GetLogicalDrives();
  char unused = 'Z';
  while (unused > 'D' && (drives & (1u << (unused - 'A'))) != 0) --unused;
  ASSERT_GT(unused, 'D') << "a free drive letter";
  const std::string drive = std::string(1, unused) + ":\\";
  EXPECT_EQ(files.CreateDirectories(drive + "Mirella").message(),
            "Не удалось создать папку \"" + drive + "Mirella\": диск или сетевая папка \"" + drive +
                "\" недоступны.");
}

TEST(Win32Environment, KnowsTheUserTheProgramAndItsFolders) {
  Win32Environment environment;
  EXPECT_EQ(environment.CurrentUserSid().rfind("S-1-5-", 0), 0u) << environment.CurrentUserSid();
  EXPECT_TRUE(
      Win32FileSystem().FileExists(environment.ProgramFolder() + "\\mirella_win32_tests.exe"))
      << environment.ProgramFolder();
  // Pages and links are made from it: never the "\\?\" form, even when started through one.
  EXPECT_NE(environment.ProgramFolder().rfind("\\\\?\\", 0), 0u) << environment.ProgramFolder();
  EXPECT_TRUE(Win32FileSystem().DirectoryExists(environment.ShellAppDataFolder()));
  EXPECT_TRUE(Win32FileSystem().DirectoryExists(environment.ShellLocalAppDataFolder()));
  EXPECT_NE(environment.ShellLocalAppDataFolder(), environment.ShellAppDataFolder());
  EXPECT_TRUE(Win32FileSystem().DirectoryExists(environment.TemporaryFolder()));
  EXPECT_FALSE(environment.GetVariable("MIRELLA_SURELY_UNSET").has_value());
  EXPECT_GT(environment.GetVariable("windir").value_or("").size(), 3u);
}

}  // namespace
}  // namespace mirella
