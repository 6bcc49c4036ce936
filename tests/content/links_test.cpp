#include "content/links.h"

#include <gtest/gtest.h>

#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"

namespace mirella {
namespace {

using testing::FakeEnvironment;
using testing::FakeFileSystem;
using testing::FakeRegistry;

TEST(MakeLinkUrl, TurnsBackslashesSpacesAndApostrophesIntoUrlCharacters) {
  EXPECT_EQ(MakeLinkUrl("C:\\Program Files\\Мой ярлык.exe"),
            "file:///C:/Program%20Files/Мой%20ярлык.exe");
  EXPECT_EQ(MakeLinkUrl("C:\\a  b\\"), "file:///C:/a%20%20b/");
  EXPECT_EQ(MakeLinkUrl(""), "file:///");
  EXPECT_EQ(MakeLinkUrl("http://example.org/a b"), "file:///http://example.org/a%20b");
  EXPECT_EQ(MakeLinkUrl("C:\\O'Brien\\50%"), "file:///C:/O%27Brien/50%25");
  EXPECT_EQ(MakeLinkUrl("C:\\C# tools\\a%20b"), "file:///C:/C%23%20tools/a%2520b");
}

// The link opened from the desktop is the path that was made into it, whatever it holds.
TEST(PathOfLinkUrl, UndoesMakeLinkUrl) {
  for (const std::string path :
       {"C:\\Program Files\\Мой ярлык.exe", "C:\\O'Brien\\50%", "C:\\C# tools\\a%20b\\",
        "\\\\server\\share\\Документы 100%25", "C:\\%", "C:\\a%2"}) {
    EXPECT_EQ(PathOfLinkUrl(MakeLinkUrl(path)), path);
  }
  EXPECT_EQ(PathOfLinkUrl("file:///C:/%D0%9F%d0%b0%27%23%25%2x"), "C:\\Па'#%%2x");
  EXPECT_EQ(PathOfLinkUrl(MakeLinkUrl("http://example.org/a b")), "http://example.org/a b");
  EXPECT_EQ(PathOfLinkUrl("https://mirella-desktop.ru/"), "https://mirella-desktop.ru/");
}

class LinkChoices : public ::testing::Test {
 protected:
  void SetUp() override {
    registry.Put(std::string(kShellFoldersKey), "Personal", "C:\\Users\\Вася\\Documents");
    registry.Put(std::string(kShellFoldersKey), "My Pictures", "C:\\Users\\Вася\\Pictures");
    content.SystemDrive = SystemDriveOf(environment);
  }
  std::string Link(std::int16_t choice) { return GetLink(content, sources, choice); }

  FakeEnvironment environment;
  FakeRegistry registry;
  FakeFileSystem files;
  LinkSources sources{environment, registry, files};
  DesktopContent content;
};

TEST_F(LinkChoices, ResolveFromWindirAndShellFolders) {
  EXPECT_EQ(content.SystemDrive, "C:\\");
  EXPECT_EQ(Link(0), "file:///C:/");
  EXPECT_EQ(Link(1), "file:///C:/WINDOWS/System32/control.exe");
  EXPECT_EQ(Link(2), "file:///C:/Users/Вася/Documents");
  EXPECT_EQ(Link(3), "file:///C:/Users/Вася/Pictures");
  EXPECT_EQ(Link(5), "file:///C:/WINDOWS/explorer.exe");
  EXPECT_EQ(Link(6), "file:///C:/Program%20Files/Internet%20Explorer/iexplore.exe");
  EXPECT_EQ(Link(7), "file:///C:/Program%20Files/Windows%20Media%20Player/wmplayer.exe");
  EXPECT_EQ(Link(8), "file:///");
  EXPECT_EQ(Link(-1), "file:///");
}

TEST_F(LinkChoices, WithoutWindirPathsLoseTheirFolderAndMissingShellFoldersGiveBareUrl) {
  environment.variables.clear();
  content.SystemDrive = SystemDriveOf(environment);
  registry = FakeRegistry();
  EXPECT_EQ(content.SystemDrive, "");
  EXPECT_EQ(Link(0), "file:///");
  EXPECT_EQ(Link(1), "file:////System32/control.exe");
  EXPECT_EQ(Link(5), "file:////explorer.exe");
  EXPECT_EQ(Link(2), "file:///");
}

TEST_F(LinkChoices, RecycleBinIsTheUsersOwnFolderUnderEitherName) {
  const std::string sid = environment.sid;
  EXPECT_EQ(Link(4), "file:///C:/$Recycle.Bin/" + sid) << "neither exists: the current name";
  files.AddDirectory("C:\\RECYCLER\\" + sid);
  EXPECT_EQ(Link(4), "file:///C:/RECYCLER/" + sid);
  files.AddDirectory("C:\\$Recycle.Bin\\" + sid);
  EXPECT_EQ(Link(4), "file:///C:/$Recycle.Bin/" + sid);
  environment.sid.clear();
  EXPECT_EQ(Link(4), "file:///C:/$Recycle.Bin");
}

TEST_F(LinkChoices, ChoosingMarksOnlyTheSelectedEntryAndStoresItsLink) {
  content.SelectedEntry = 7;
  ChooseLink(content, sources, 6);
  EXPECT_EQ(content.EntryLink[7], "file:///C:/Program%20Files/Internet%20Explorer/iexplore.exe");
  EXPECT_EQ(content.linkMark[7], kLinkMarked);
  EXPECT_EQ(content.linkMark[8], kLinkUnmarked);
  EXPECT_EQ(FirstUnmarkedEntry(content), 4);
}

TEST_F(LinkChoices, TypedPathEmptyChangesNothingNonEmptyIsTakenAsTyped) {
  content.SelectedEntry = 4;
  EXPECT_FALSE(ChooseTypedLink(content, ""));
  EXPECT_EQ(content.EntryLink[4], "");
  EXPECT_EQ(content.linkMark[4], kLinkUnmarked);
  EXPECT_TRUE(ChooseTypedLink(content, " C:\\Windows\\System32\\mspaint.exe"));
  EXPECT_EQ(content.EntryLink[4], "file:///%20C:/Windows/System32/mspaint.exe");
  EXPECT_EQ(content.linkMark[4], kLinkMarked);
}

TEST(SystemDriveOf, TakesThreeCharactersNotBytes) {
  FakeEnvironment environment;
  environment.variables["windir"] = "Д:\\ОКНА";
  EXPECT_EQ(SystemDriveOf(environment), "Д:\\");
  environment.variables["windir"] = "C:";
  EXPECT_EQ(SystemDriveOf(environment), "C:");
}

}  // namespace
}  // namespace mirella
