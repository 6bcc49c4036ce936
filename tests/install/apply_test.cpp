#include "install/apply.h"

#include <gtest/gtest.h>

#include "fakes/fake_desktop_shell.h"
#include "generate/cp1251.h"
#include "generate/desktop_script.h"
#include "generate/test_content.h"
#include "generate/theme_page.h"
#include "install/install_test_places.h"

namespace mirella {
namespace {

using testing::FakeDesktopPicture;
using testing::FakeDesktopShell;
using testing::FakeEnvironment;
using testing::FakeFileSystem;
using testing::FakeRegistry;
using testing::FullyLinkedTestContent;

constexpr const char* kDesktopKey = "Control Panel\\Desktop";
constexpr const char* kGeneralKey = "Software\\Microsoft\\Internet Explorer\\Desktop\\General";

class ApplyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    environment.programFolder = kProgram;
    registry.Put(std::string(kShellFoldersKey), "AppData", kAppData);
    registry.Put(kDesktopKey, "Wallpaper", "C:\\old.bmp");
    registry.Put(kGeneralKey, "Wallpaper", "C:\\old.htm");
    files.AddFile(kThemePage, ThemePage(kProgram, codePage));
    files.AddFile(kScript, "old script");
    files.AddFile(kDesktopFile, "old desktop");
    registry.writeCount = 0;
  }

  ApplyOutcome Run(const DesktopContent& content) {
    return Apply(content,
                 ApplyServices{environment, registry, files, codePage, shell, picture});
  }
  std::string File(const std::string& path) const {
    auto bytes = files.ReadFile(path);
    return bytes ? bytes.value() : "<missing>";
  }
  void ExpectRegistryUntouched() const {
    EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, kDesktopKey, "Wallpaper"),
              "C:\\old.bmp");
    EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, kGeneralKey, "Wallpaper"),
              "C:\\old.htm");
  }

  FakeEnvironment environment;
  FakeRegistry registry;
  FakeFileSystem files;
  Cp1251 codePage;
  FakeDesktopShell shell;
  FakeDesktopPicture picture;
};

TEST_F(ApplyTest, RefusesWhileAnEntryHasNoLinkAndTouchesNothing) {
  DesktopContent content = FullyLinkedTestContent();
  content.linkMark[4] = kLinkUnmarked;
  const int writesBefore = files.writeCount;
  const ApplyOutcome outcome = Run(content);
  EXPECT_EQ(outcome.result, ApplyResult::kRefused);
  EXPECT_EQ(files.writeCount, writesBefore);
  EXPECT_EQ(registry.writeCount, 0);
  EXPECT_EQ(File(kScript), "old script");
}

TEST_F(ApplyTest, InstallsTheScriptTheDesktopFileAndBothWallpaperValues) {
  const DesktopContent content = FullyLinkedTestContent();
  const int writesBefore = files.writeCount;
  const ApplyOutcome outcome = Run(content);
  EXPECT_EQ(outcome.result, ApplyResult::kApplied);
  EXPECT_EQ(File(kScript), DesktopScript(content, kProgram, codePage));
  // The page the loading sequence wrote is copied as it is, not written again.
  EXPECT_EQ(files.writeCount - writesBefore, 3)
      << "desktop.js, Desktop.htt and the saved previous desktop only";
  EXPECT_EQ(File(kDesktopFile), ThemePage(kProgram, codePage));
  EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, kDesktopKey, "Wallpaper"), kThemePage);
  EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, kGeneralKey, "Wallpaper"), kThemePage);
}

TEST_F(ApplyTest, WritesAMissingThemePageAndCreatesTheDesktopFolder) {
  FakeFileSystem fresh;
  fresh.AddDirectory("C:\\Program Files\\Mirella\\Themes\\Blue Classic");
  fresh.AddDirectory(kAppData);
  files = fresh;
  ASSERT_EQ(Run(FullyLinkedTestContent()).result, ApplyResult::kApplied);
  EXPECT_EQ(File(kThemePage), ThemePage(kProgram, codePage));
  EXPECT_TRUE(files.DirectoryExists(kDesktopFolder));
  EXPECT_EQ(File(kDesktopFile), ThemePage(kProgram, codePage));
}

TEST_F(ApplyTest, RewritesAThemePageLeftByACopyInAnotherFolder) {
  files.AddFile(kThemePage, ThemePage("D:\\Старое место", codePage));
  ASSERT_EQ(Run(FullyLinkedTestContent()).result, ApplyResult::kApplied);
  EXPECT_EQ(File(kThemePage), ThemePage(kProgram, codePage));
  EXPECT_EQ(File(kDesktopFile), ThemePage(kProgram, codePage));
}

TEST_F(ApplyTest, AFailureLeavesNoScriptOrDesktopFileWhereThereWasNone) {
  FakeFileSystem fresh;
  fresh.AddFile(kThemePage, ThemePage(kProgram, codePage));
  fresh.AddDirectory(kAppData);
  files = fresh;
  registry.deniedKeys.insert(kGeneralKey);
  EXPECT_EQ(Run(FullyLinkedTestContent()).result, ApplyResult::kFailed);
  EXPECT_FALSE(files.FileExists(kScript)) << "the main menu must still offer to install";
  EXPECT_FALSE(files.FileExists(kDesktopFile));
  ExpectRegistryUntouched();
}

TEST_F(ApplyTest, FallsBackToTheShellsApplicationDataFolder) {
  registry.Put(std::string(kShellFoldersKey), "AppData", "");
  environment.shellAppData = "E:\\Профиль\\";  // a trailing backslash is not doubled
  ASSERT_EQ(Run(FullyLinkedTestContent()).result, ApplyResult::kApplied);
  EXPECT_EQ(File("E:\\Профиль\\Microsoft\\Internet Explorer\\Desktop.htt"), File(kThemePage));
  EXPECT_EQ(File(kDesktopFile), "old desktop");
}

TEST_F(ApplyTest, WithoutAnyApplicationDataFolderWritesNothing) {
  registry.Put(std::string(kShellFoldersKey), "AppData", "");
  environment.shellAppData = "";
  const int writesBefore = files.writeCount;
  const ApplyOutcome outcome = Run(FullyLinkedTestContent());
  EXPECT_EQ(outcome.result, ApplyResult::kNoAppDataFolder);
  EXPECT_EQ(files.writeCount, writesBefore);
  EXPECT_FALSE(files.FileExists("\\Microsoft\\Internet Explorer\\Desktop.htt"));
  EXPECT_EQ(registry.writeCount, 0);
}

// Each failure stops Apply with a reason naming what failed; the old script, the old desktop
// file and the wallpaper values stay as they were. A file or value that cannot be read stops
// Apply before anything is written, since it could not be put back.
struct FailureCase {
  const char* name;
  void (*arrange)(FakeFileSystem& files, FakeEnvironment& environment, FakeRegistry& registry);
  const char* named;  // what the reason must name
};

class ApplyFailure : public ApplyTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ApplyFailure, LeavesTheOldDesktopAndRegistry) {
  const FailureCase& failure = GetParam();
  failure.arrange(files, environment, registry);
  const ApplyOutcome outcome = Run(FullyLinkedTestContent());
  EXPECT_EQ(outcome.result, ApplyResult::kFailed);
  EXPECT_NE(outcome.failure.message().find(failure.named), std::string::npos)
      << outcome.failure.message();
  EXPECT_TRUE(outcome.notRestored.empty());
  files.unreadableFiles.clear();
  registry.unreadableKeys.clear();
  EXPECT_EQ(File(kDesktopFile), "old desktop");
  EXPECT_EQ(File(kScript), "old script");
  ExpectRegistryUntouched();
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, ApplyFailure,
    ::testing::Values(
        FailureCase{"ThemeFolderMissing",
                    [](FakeFileSystem& files, FakeEnvironment& environment, FakeRegistry&) {
                      environment.programFolder = "C:\\Elsewhere";
                      files.AddDirectory("C:\\Elsewhere");
                    },
                    "C:\\Elsewhere\\Themes\\Blue Classic\\theme.htm"},
        FailureCase{"ScriptNotWritable",
                    [](FakeFileSystem& files, FakeEnvironment&, FakeRegistry&) {
                      files.readOnlyFolders.insert(kProgram);
                    },
                    kScript},
        FailureCase{"DesktopFileNotWritable",
                    [](FakeFileSystem& files, FakeEnvironment&, FakeRegistry&) {
                      files.readOnlyFolders.insert(kDesktopFolder);
                    },
                    kDesktopFile},
        FailureCase{"OldScriptUnreadable",
                    [](FakeFileSystem& files, FakeEnvironment&, FakeRegistry&) {
                      files.unreadableFiles.insert(kScript);
                    },
                    kScript},
        FailureCase{"OldDesktopFileUnreadable",
                    [](FakeFileSystem& files, FakeEnvironment&, FakeRegistry&) {
                      files.unreadableFiles.insert(kDesktopFile);
                    },
                    kDesktopFile},
        FailureCase{"OldWallpaperUnreadable",
                    [](FakeFileSystem&, FakeEnvironment&, FakeRegistry& registry) {
                      registry.unreadableKeys.insert(kDesktopKey);
                    },
                    kDesktopKey},
        FailureCase{"FirstWallpaperValue",
                    [](FakeFileSystem&, FakeEnvironment&, FakeRegistry& registry) {
                      registry.deniedKeys.insert(kDesktopKey);
                    },
                    kDesktopKey},
        FailureCase{"SecondWallpaperValue",
                    [](FakeFileSystem&, FakeEnvironment&, FakeRegistry& registry) {
                      registry.deniedKeys.insert(kGeneralKey);
                    },
                    kGeneralKey}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

// The first wallpaper value comes back exactly: its type and unexpanded data, or its absence.
TEST_F(ApplyTest, ARollbackRestoresTheFirstWallpaperValueExactly) {
  registry.deniedKeys.insert(kGeneralKey);
  const RegistryValue expandable{2, "%SystemRoot%\\old.bmp"};
  ASSERT_TRUE(registry.WriteValue(RegistryRoot::kCurrentUser, kDesktopKey, "Wallpaper", expandable));
  ASSERT_EQ(Run(FullyLinkedTestContent()).result, ApplyResult::kFailed);
  auto restored = registry.ReadValue(RegistryRoot::kCurrentUser, kDesktopKey, "Wallpaper");
  ASSERT_TRUE(restored.ok() && restored.value().has_value());
  EXPECT_EQ(*restored.value(), expandable);

  ASSERT_TRUE(registry.DeleteValue(RegistryRoot::kCurrentUser, kDesktopKey, "Wallpaper"));
  ASSERT_EQ(Run(FullyLinkedTestContent()).result, ApplyResult::kFailed);
  EXPECT_FALSE(registry.Has(kDesktopKey, "Wallpaper")) << "an absent value is absent again";
}

// When putting things back fails too, the outcome lists every change that keeps the new content.
TEST_F(ApplyTest, AFailedRollbackNamesWhatStaysChanged) {
  registry.writesLeft = 1;  // the first wallpaper value is written; nothing after that
  files.writesLeft = 3;  // the saved desktop, desktop.js and Desktop.htt; their restores fail
  const ApplyOutcome outcome = Run(FullyLinkedTestContent());
  EXPECT_EQ(outcome.result, ApplyResult::kFailed);
  EXPECT_NE(outcome.failure.message().find(kGeneralKey), std::string::npos);
  ASSERT_EQ(outcome.notRestored.size(), 3u);
  EXPECT_EQ(outcome.notRestored[0].item, AppliedItem::kDesktopWallpaper);
  EXPECT_EQ(outcome.notRestored[1].item, AppliedItem::kDesktopFile);
  EXPECT_NE(outcome.notRestored[1].reason.message().find(kDesktopFile), std::string::npos);
  EXPECT_EQ(outcome.notRestored[2].item, AppliedItem::kDesktopScript);
  EXPECT_NE(File(kScript), "old script");
}

}  // namespace
}  // namespace mirella
