#pragma once
// What every FileSystem must do, run against the in-memory fake natively and against real files
// under Wine.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "system/file_system.h"

namespace mirella::testing {

// Each implementation supplies: static std::unique_ptr<FileSystem> Make(); Root(), an existing
// empty folder to work in; and Cleanup(), which removes it.
template <class Implementation>
class FileSystemContract : public ::testing::Test {
 protected:
  void SetUp() override { files = Implementation::Make(); }
  void TearDown() override { Implementation::Cleanup(); }
  std::string Path(const std::string& relative) const {
    return Implementation::Root() + "\\" + relative;
  }
  std::unique_ptr<FileSystem> files;
};

TYPED_TEST_SUITE_P(FileSystemContract);

TYPED_TEST_P(FileSystemContract, WritesReplaceWholeFilesAndReadBack) {
  auto& files = *this->files;
  const std::string path = this->Path("Папка с пробелами\\theme.htm");
  EXPECT_FALSE(files.WriteFileReplacing(path, "x").ok()) << "the folder does not exist yet";
  ASSERT_TRUE(files.CreateDirectories(this->Path("Папка с пробелами")).ok());
  EXPECT_TRUE(files.DirectoryExists(this->Path("Папка с пробелами")));
  ASSERT_TRUE(files.WriteFileReplacing(path, std::string("long first text\r\n\r\r\n")).ok());
  ASSERT_TRUE(files.WriteFileReplacing(path, "short").ok());
  auto read = files.ReadFile(path);
  ASSERT_TRUE(read.ok()) << read.message();
  EXPECT_EQ(read.value(), "short");
  EXPECT_TRUE(files.FileExists(path));
  EXPECT_FALSE(files.FileExists(this->Path("Папка с пробелами"))) << "a folder is not a file";
  EXPECT_FALSE(files.DirectoryExists(path));
}

TYPED_TEST_P(FileSystemContract, CopyReplacesTargetAndFailuresNameWhatFailed) {
  auto& files = *this->files;
  ASSERT_TRUE(files.CreateDirectories(this->Path("a\\b\\c")).ok());
  ASSERT_TRUE(files.WriteFileReplacing(this->Path("a\\source.htm"), "new page").ok());
  ASSERT_TRUE(files.WriteFileReplacing(this->Path("a\\b\\c\\Desktop.htt"), "old page").ok());
  ASSERT_TRUE(files.CopyFileReplacing(this->Path("a\\source.htm"), this->Path("a\\b\\c\\Desktop.htt")).ok());
  EXPECT_EQ(files.ReadFile(this->Path("a\\b\\c\\Desktop.htt")).value(), "new page");

  // A missing source is blamed, and the target is left as it was.
  EXPECT_EQ(files.CopyFileReplacing(this->Path("a\\none.htm"), this->Path("a\\b\\c\\Desktop.htt"))
                .message(),
            "Не удалось прочитать файл \"" + this->Path("a\\none.htm") + "\": файл не найден.");
  EXPECT_EQ(files.ReadFile(this->Path("a\\b\\c\\Desktop.htt")).value(), "new page");
  EXPECT_FALSE(files.ReadFile(this->Path("a\\none.htm")).ok());
  // A missing target folder is blamed, as missing, and not the source that was read.
  const std::string themes = this->Path("a\\Themes");
  const std::string missing = "\": папка \"" + themes + "\" не существует.";
  EXPECT_EQ(
      files.CopyFileReplacing(this->Path("a\\source.htm"), themes + "\\Desktop.htt").message(),
      "Не удалось записать файл \"" + themes + "\\Desktop.htt" + missing);
  EXPECT_EQ(files.WriteFileReplacing(themes + "\\theme.htm", "page").message(),
            "Не удалось записать файл \"" + themes + "\\theme.htm" + missing);
}

TYPED_TEST_P(FileSystemContract, RemovesFilesAndTakesAMissingOneAsRemoved) {
  auto& files = *this->files;
  ASSERT_TRUE(files.WriteFileReplacing(this->Path("desktop.js"), "script").ok());
  ASSERT_TRUE(files.RemoveFile(this->Path("desktop.js")).ok());
  EXPECT_FALSE(files.FileExists(this->Path("desktop.js")));
  EXPECT_TRUE(files.RemoveFile(this->Path("desktop.js")).ok());
  EXPECT_TRUE(files.RemoveFile(this->Path("no folder\\desktop.js")).ok());
}

// Hidden and system (0x2 | 0x4) read back as written; a missing file has no attributes to read.
TYPED_TEST_P(FileSystemContract, AttributesReadBackAsWritten) {
  auto& files = *this->files;
  const std::string path = this->Path("Desktop.htt");
  EXPECT_FALSE(files.ReadAttributes(path).ok());
  EXPECT_FALSE(files.WriteAttributes(path, 0x6).ok());
  ASSERT_TRUE(files.WriteFileReplacing(path, "page").ok());
  ASSERT_TRUE(files.WriteAttributes(path, 0x6).ok());
  auto attributes = files.ReadAttributes(path);
  ASSERT_TRUE(attributes.ok()) << attributes.message();
  EXPECT_EQ(attributes.value() & 0x7u, 0x6u);
  ASSERT_TRUE(files.WriteAttributes(path, 0).ok());
  EXPECT_EQ(files.ReadAttributes(path).value() & 0x7u, 0u);
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract, WritesReplaceWholeFilesAndReadBack,
                            CopyReplacesTargetAndFailuresNameWhatFailed,
                            RemovesFilesAndTakesAMissingOneAsRemoved,
                            AttributesReadBackAsWritten);

}  // namespace mirella::testing
