#include "content/default_content.h"

#include <gtest/gtest.h>

#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"

namespace mirella {
namespace {

class Defaults : public ::testing::Test {
 protected:
  void SetUp() override { content.SystemDrive = SystemDriveOf(environment); }
  testing::FakeEnvironment environment;
  testing::FakeRegistry registry;
  testing::FakeFileSystem files;
  LinkSources sources{environment, registry, files};
  DesktopContent content;
};

TEST_F(Defaults, SetValuesLoadsEntriesAndKeepsMarksAndDesktopTexts) {
  content.title = "Мой заголовок";
  SetValues(content, sources);
  EXPECT_EQ(content.title, "Мой заголовок");
  EXPECT_EQ(content.EntryCaption[0], "Мой компьютер");
  EXPECT_EQ(content.EntryCaption[10], "Мой ярлык");
  EXPECT_EQ(content.EntryDescription[7], content.EntryDescription[9]);
  EXPECT_EQ(content.EntryPicture, (std::array<std::int16_t, kEntryCount>{14, 5, 2, 13, 7, 1, 4, 0, 0, 0, 11}));
  for (int entry : {0, 1, 2, 3, 5, 6}) {
    EXPECT_EQ(content.EntryLink[entry].rfind("file:///", 0), 0u) << entry;
    EXPECT_EQ(content.linkMark[entry], kLinkMarked) << entry;
  }
  for (int entry : {4, 7, 8, 9, 10}) {
    EXPECT_EQ(content.EntryLink[entry], "") << entry;
    EXPECT_EQ(content.linkMark[entry], kLinkUnmarked) << entry;
  }
  EXPECT_EQ(content.EntryLink[2], "file:///C:/WINDOWS/explorer.exe");
  EXPECT_EQ(content.EntryLink[5], "file:///") << "no Personal value: the bare URL";
}

TEST_F(Defaults, SetValuesResetsEditsButMarksOnlyTheSelectedEntry) {
  SetValues(content, sources);
  content.SelectedEntry = 9;
  content.EntryCaption[9] = "изменено";
  content.EntryPicture[9] = 19;
  SetValues(content, sources);
  EXPECT_EQ(content.EntryCaption[9], "Моя папка 3");
  EXPECT_EQ(content.EntryPicture[9], 0);
  EXPECT_EQ(content.SelectedEntry, 9);
  EXPECT_EQ(content.linkMark[9], kLinkMarked) << "the default links go through MakeLink";
  EXPECT_EQ(content.linkMark[10], kLinkUnmarked);
}

TEST_F(Defaults, GetChangesAndTypedTextBinding) {
  SetValues(content, sources);
  const DesktopContent before = content;
  GetChanges(content);
  EXPECT_EQ(content.EntryCaption, before.EntryCaption);
  SetEntryCaption(content, 3, "Мусор");
  SetEntryDescription(content, 3, "");
  SetEntryCaption(content, 11, "вне диапазона");
  EXPECT_EQ(content.EntryCaption[3], "Мусор");
  EXPECT_EQ(content.EntryDescription[3], "");
  EXPECT_EQ(content.EntryCaption[10], before.EntryCaption[10]);
}

}  // namespace
}  // namespace mirella
