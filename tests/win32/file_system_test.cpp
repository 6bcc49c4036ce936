// Win32FileSystem against real files in a fresh temporary folder.

#include "system/file_system_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "fakes/file_system_contract.h"
#include "system/environment_win32.h"
#include "system/wide_text_win32.h"
#include "win32/remove_tree.h"

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

class RealFileSystem : public ::testing::Test {
 protected:
  void SetUp() override { RealFiles::Make(); }
  void TearDown() override { RealFiles::Cleanup(); }
  std::string Path(const char* name) { return RealFiles::Root() + "\\" + name; }
  Win32FileSystem files;
};

TEST_F(RealFileSystem, HiddenSystemTargetIsReplacedReadOnlyOneIsLeftIntact) {
  ASSERT_TRUE(files.WriteFileReplacing(Path("theme.htm"), "new").ok());
  ASSERT_TRUE(files.WriteFileReplacing(Path("Desktop.htt"), "old").ok());
  SetFileAttributesW(Widen(Path("Desktop.htt")).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  ASSERT_TRUE(files.CopyFileReplacing(Path("theme.htm"), Path("Desktop.htt")).ok());
  EXPECT_EQ(files.ReadFile(Path("Desktop.htt")).value(), "new");

  ASSERT_TRUE(files.WriteFileReplacing(Path("locked.htt"), "old").ok());
  SetFileAttributesW(Widen(Path("locked.htt")).c_str(), FILE_ATTRIBUTE_READONLY);
  const Status refused = files.CopyFileReplacing(Path("theme.htm"), Path("locked.htt"));
  EXPECT_FALSE(refused.ok());
  EXPECT_NE(refused.message().find("locked.htt"), std::string::npos) << refused.message();
  EXPECT_EQ(files.ReadFile(Path("locked.htt")).value(), "old");
  EXPECT_FALSE(files.WriteFileReplacing(Path("locked.htt"), "x").ok());
  EXPECT_EQ(files.ReadFile(Path("locked.htt")).value(), "old");
}

TEST_F(RealFileSystem, FailedWritesLeaveNoTemporaryFilesBehind) {
  ASSERT_TRUE(files.WriteFileReplacing(Path("locked.htt"), "old").ok());
  SetFileAttributesW(Widen(Path("locked.htt")).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(files.WriteFileReplacing(Path("locked.htt"), "x").ok());
  int count = 0;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Widen(Path("*")).c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) ++count;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  EXPECT_EQ(count, 1);
}

TEST(Win32Environment, KnowsTheUserTheProgramAndItsFolders) {
  Win32Environment environment;
  EXPECT_EQ(environment.CurrentUserSid().rfind("S-1-5-", 0), 0u) << environment.CurrentUserSid();
  EXPECT_TRUE(Win32FileSystem().FileExists(environment.ProgramFolder() + "\\mirella_win32_tests.exe"))
      << environment.ProgramFolder();
  EXPECT_TRUE(Win32FileSystem().DirectoryExists(environment.ShellAppDataFolder()));
  EXPECT_TRUE(Win32FileSystem().DirectoryExists(environment.TemporaryFolder()));
  EXPECT_FALSE(environment.GetVariable("MIRELLA_SURELY_UNSET").has_value());
  EXPECT_GT(environment.GetVariable("windir").value_or("").size(), 3u);
}

}  // namespace
}  // namespace mirella
