#include "install/preview.h"

#include <gtest/gtest.h>

#include "generate/test_content.h"
#include "generate/theme_page.h"
#include "generate/utf8.h"

namespace mirella {
namespace {

using testing::DefaultTestContent;
using testing::FakeFileSystem;
using testing::kTestProgramFolder;
using testing::SplitLines;

constexpr const char* kTemp = "C:\\Users\\user\\AppData\\Local\\Temp";

TEST(WritePreview, WritesAMarkedDeclaredUtf8PageThatLoadsItsOwnScript) {
  FakeFileSystem files;
  files.AddDirectory(kTemp);
  files.AddFile("C:\\Program Files\\Mirella\\desktop.js", "installed script");
  DesktopContent content = DefaultTestContent();
  content.title = "Стол 中文";

  const auto page = WritePreview(content, kTestProgramFolder, kTemp, files);
  ASSERT_TRUE(page) << page.message();
  EXPECT_EQ(page.value(), "C:\\Users\\user\\AppData\\Local\\Temp\\Mirella Preview\\preview.htm");

  const auto pageLines = SplitLines(files.ReadFile(page.value()).value());
  const auto themeLines = SplitLines(ThemePage(kTestProgramFolder, Utf8CodePage()));
  ASSERT_EQ(pageLines.size(), 52u);
  // The Mark of the Web on a line of its own, ended by CR LF, ahead of the page itself.
  EXPECT_EQ(pageLines[0], "<!-- saved from url=(0014)about:internet -->");
  EXPECT_EQ(pageLines[1],
            "<html><head><meta charset='utf-8'><script charset='utf-8' language='javascript' "
            "src='file:///C:/Users/user/AppData/Local/Temp/Mirella%20Preview/desktop.js'></script>");
  // Everything else, the pictures from the program folder included, is the theme page.
  for (std::size_t i = 2; i < pageLines.size(); ++i) EXPECT_EQ(pageLines[i], themeLines[i - 1]);

  const auto script = SplitLines(
      files.ReadFile("C:\\Users\\user\\AppData\\Local\\Temp\\Mirella Preview\\desktop.js").value());
  ASSERT_EQ(script.size(), 87u);
  EXPECT_EQ(script[1], "var desktoptitle=\"Стол 中文\"");
  EXPECT_EQ(script[4], "var appath=\"file:///C:/Program%20Files/Mirella\"");

  EXPECT_EQ(files.ReadFile("C:\\Program Files\\Mirella\\desktop.js").value(), "installed script");
}

TEST(WritePreview, ReportsAFolderItCannotWriteTo) {
  FakeFileSystem files;
  files.AddDirectory(kTemp);
  files.readOnlyFolders.insert(kTemp);
  const auto page = WritePreview(DefaultTestContent(), kTestProgramFolder, kTemp, files);
  ASSERT_FALSE(page);
  EXPECT_NE(page.message().find("Mirella Preview"), std::string::npos);
}

}  // namespace
}  // namespace mirella
