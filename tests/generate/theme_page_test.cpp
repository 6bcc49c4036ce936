#include "generate/theme_page.h"

#include <gtest/gtest.h>

#include "generate/cp1251.h"
#include "generate/test_content.h"

namespace mirella {
namespace {

using testing::FakeFileSystem;
using testing::kTestProgramFolder;
using testing::ReadTestData;
using testing::SplitLines;

const Cp1251 kCp1251;

TEST(ThemePage, GivesTheGoldenFile) {
  const std::string golden = ReadTestData("theme_default.htm");
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(ThemePage(kTestProgramFolder, kCp1251), golden);
}

TEST(ThemePage, OnlyTheFiveUrlLinesDependOnTheProgramFolder) {
  const auto golden = SplitLines(ThemePage(kTestProgramFolder, kCp1251));
  const auto other = SplitLines(ThemePage("C:\\Desk", kCp1251));
  ASSERT_EQ(other.size(), 51u);
  EXPECT_EQ(other[0], "<html><head><script language='javascript' src='file:///C:/Desk/desktop.js'></script>");
  for (std::size_t i = 0; i < other.size(); ++i) {
    const bool urlLine = i == 0 || i == 8 || i == 18 || i == 20 || i == 45;
    EXPECT_EQ(other[i] != golden[i], urlLine) << "line " << i + 1;
  }
  EXPECT_EQ(other[7], "");
}

TEST(ThemePage, KeepsEveryCharacterOfTheFolder) {
  const auto lines = SplitLines(ThemePage("D:\\Программы\\中文", kCp1251));
  EXPECT_EQ(lines[0],
            "<html><head><script language='javascript' src='file:///D:/"
            "\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xFB/&#20013;&#25991;/desktop.js'></script>");
}

TEST(WriteThemes, ReplacesThePageInTheThemeFolder) {
  FakeFileSystem files;
  files.AddFile("C:\\Program Files\\Mirella\\Themes\\Blue Classic\\theme.htm", "old");
  ASSERT_TRUE(WriteThemes(kTestProgramFolder, files, kCp1251));
  EXPECT_EQ(files.ReadFile(ThemePagePath(kTestProgramFolder)).value(),
            ReadTestData("theme_default.htm"));
}

TEST(WriteThemes, AMissingThemeFolderIsAFailureNamingThePage) {
  FakeFileSystem files;
  files.AddDirectory(kTestProgramFolder);
  const Status status = WriteThemes(kTestProgramFolder, files, kCp1251);
  ASSERT_FALSE(status);
  EXPECT_NE(status.message().find("Blue Classic\\theme.htm"), std::string::npos);
  EXPECT_FALSE(files.FileExists(ThemePagePath(kTestProgramFolder)));
}

}  // namespace
}  // namespace mirella
