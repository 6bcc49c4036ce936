#include "generate/desktop_script.h"

#include <gtest/gtest.h>

#include "generate/cp1251.h"
#include "generate/test_content.h"

namespace mirella {
namespace {

using testing::DefaultTestContent;
using testing::FakeFileSystem;
using testing::kTestProgramFolder;
using testing::ReadTestData;
using testing::SplitLines;

const Cp1251 kCp1251;

TEST(DesktopScript, DefaultContentGivesTheGoldenFile) {
  const std::string golden = ReadTestData("desktop_default.js");
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(DesktopScript(DefaultTestContent(), kTestProgramFolder, kCp1251), golden);
}

TEST(DesktopScript, KeepsItsLayoutWhateverTheTexts) {
  DesktopContent content = DefaultTestContent();
  content.title = "";
  content.col_1_title = "line 1\r\nline 2 \"quoted\" C:\\";
  content.desktop = std::string(100000, 'x');
  content.EntryCaption[4] = "</script><script>alert(1)</script>";
  content.EntryDescription[9] = "中文 😀 \u2028";
  content.EntryPicture[7] = 19;

  const auto lines = SplitLines(DesktopScript(content, "D:\\Мои программы\\O'Brien", kCp1251));
  ASSERT_EQ(lines.size(), 87u);
  EXPECT_EQ(lines[1], "var desktoptitle=\"\"");
  EXPECT_EQ(lines[2], "var desktopcol1=\"line 1\\r\\nline 2 \\\"quoted\\\" C:\\\\\"");
  EXPECT_EQ(lines[4],
            "var appath=\"file:///D:/\xCC\xEE\xE8%20\xEF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xFB/O%27Brien\"");
  EXPECT_EQ(lines[9], "\r");
  EXPECT_EQ(lines[11 + 4 * 4 + 1], "caption[4]=\"</script><script>alert(1)</script>\"");
  EXPECT_EQ(lines[11 + 4 * 7], "icons[7]=\"19\"");
  EXPECT_EQ(lines[11 + 4 * 9 + 2], "desc[9]=\"\\u4E2D\\u6587 \\uD83D\\uDE00 \\u2028\"");
  EXPECT_EQ(lines[82], "  document.write(\"" + std::string(100000, 'x') + "\")");
}

TEST(DesktopScript, ChangedTitlesChangeOnlyTheirLines) {
  DesktopContent content = DefaultTestContent();
  const auto before = SplitLines(DesktopScript(content, kTestProgramFolder, kCp1251));
  content.col_1_title = "Первая";
  content.col_2_title = "Вторая";
  const auto after = SplitLines(DesktopScript(content, kTestProgramFolder, kCp1251));
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (i == 2 || i == 3) {
      EXPECT_NE(after[i], before[i]);
    } else {
      EXPECT_EQ(after[i], before[i]) << "line " << i + 1;
    }
  }
}

TEST(SetChanges, WritesTheScriptBesideTheProgram) {
  FakeFileSystem files;
  files.AddDirectory(kTestProgramFolder);
  const DesktopContent content = DefaultTestContent();
  ASSERT_TRUE(SetChanges(content, kTestProgramFolder, files, kCp1251));
  const auto written = files.ReadFile("C:\\Program Files\\Mirella\\desktop.js");
  ASSERT_TRUE(written);
  EXPECT_EQ(written.value(), ReadTestData("desktop_default.js"));
}

TEST(SetChanges, AFailedWriteNamesTheFileAndKeepsTheOldOne) {
  FakeFileSystem files;
  files.AddFile("C:\\Program Files\\Mirella\\desktop.js", "old");
  files.readOnlyFolders.insert(kTestProgramFolder);
  const Status status = SetChanges(DefaultTestContent(), kTestProgramFolder, files, kCp1251);
  ASSERT_FALSE(status);
  EXPECT_NE(status.message().find("C:\\Program Files\\Mirella\\desktop.js"), std::string::npos);
  EXPECT_EQ(files.ReadFile("C:\\Program Files\\Mirella\\desktop.js").value(), "old");
}

}  // namespace
}  // namespace mirella
