#include "system/apply.h"

#include <gtest/gtest.h>

#include "generate/cp1251.h"
#include "generate/desktop_script.h"
#include "generate/test_content.h"
#include "generate/theme_page.h"

namespace mirella {
namespace {

using testing::FakeEnvironment;
using testing::FakeFileSystem;
using testing::FakeRegistry;
using testing::FullyLinkedTestContent;

constexpr const char* kProgram = "C:\\Program Files\\Mirella";
constexpr const char* kThemePage = "C:\\Program Files\\Mirella\\Themes\\Blue Classic\\theme.htm";
constexpr const char* kScript = "C:\\Program Files\\Mirella\\desktop.js";
constexpr const char* kAppData = "C:\\Users\\user\\AppData\\Roaming";
constexpr const char* kDesktopFolder = "C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Internet Explorer";
constexpr const char* kDesktopFile =
    "C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Desktop.htt";
constexpr const char* kDesktopKey = "Control Panel\\Desktop";
constexpr const char* kGeneralKey = "Software\\Microsoft\\Internet Explorer\\Desktop\\General";

// Fails the writes under one key and passes everything else to the fake registry.
class RegistryFailingOneKey : public Registry {
 public:
  RegistryFailingOneKey(FakeRegistry& inner, std::string key) : inner_(inner), key_(std::move(key)) {}
  std::string GetStringValue(RegistryRoot root, const std::string& key,
                             const std::string& name) const override {
    return inner_.GetStringValue(root, key, name);
  }
  Status SetStringValue(RegistryRoot root, const std::string& key, const std::string& name,
                        const std::string& text) override {
    if (key == key_) return Status::Failure("Не удалось записать параметр реестра \"" + name + "\"");
    return inner_.SetStringValue(root, key, name, text);
  }

 private:
  FakeRegistry& inner_;
  std::string key_;
};

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

  ApplyOutcome Run(const DesktopContent& content) { return Run(content, registry); }
  ApplyOutcome Run(const DesktopContent& content, Registry& reg) {
    return Apply(content, ApplyServices{environment, reg, files, codePage});
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
};

TEST_F(ApplyTest, RefusesWhileAnEntryHasNoLinkAndTouchesNothing) {
  DesktopContent content = FullyLinkedTestContent();
  content.linkMark[4] = kLinkUnmarked;
  const int writesBefore = files.writeCount;
  const ApplyOutcome outcome = Run(content);
  EXPECT_EQ(outcome.result, ApplyResult::kRefused);
  EXPECT_EQ(outcome.message,
            "Для некоторых значков еще нет ссылок.\r\nНастройте ссылки и повторите попытку.");
  EXPECT_EQ(outcome.title, "Применение изменений.");
  EXPECT_EQ(files.writeCount, writesBefore);
  EXPECT_EQ(registry.writeCount, 0);
  EXPECT_EQ(File(kScript), "old script");
}

TEST_F(ApplyTest, InstallsTheScriptTheDesktopFileAndBothWallpaperValues) {
  const DesktopContent content = FullyLinkedTestContent();
  const int writesBefore = files.writeCount;
  const ApplyOutcome outcome = Run(content);
  EXPECT_EQ(outcome.result, ApplyResult::kApplied);
  EXPECT_EQ(outcome.message,
            "Изменения сохранены. Обновите Ваш Рабочий стол, чтобы увидеть результат!\r\n"
            "Для лучшего отображения, убедитесь, что опция \"Отображать значки на Рабочем столе\" "
            "в контекстном меню отключена.");
  EXPECT_EQ(outcome.title, "");
  EXPECT_EQ(File(kScript), DesktopScript(content, kProgram, codePage));
  // The page the loading sequence wrote is copied as it is, not written again.
  EXPECT_EQ(files.writeCount - writesBefore, 2) << "desktop.js and Desktop.htt only";
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
  RegistryFailingOneKey failing(registry, kGeneralKey);
  EXPECT_EQ(Run(FullyLinkedTestContent(), failing).result, ApplyResult::kFailed);
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
  EXPECT_EQ(outcome.result, ApplyResult::kFailed);
  EXPECT_NE(outcome.message.find("AppData"), std::string::npos);
  EXPECT_EQ(files.writeCount, writesBefore);
  EXPECT_FALSE(files.FileExists("\\Microsoft\\Internet Explorer\\Desktop.htt"));
  EXPECT_EQ(registry.writeCount, 0);
}

// Each failure stops Apply with a message naming what failed; the old script, the old desktop
// file and the wallpaper values stay as they were.
struct FailureCase {
  const char* name;
  void (*arrange)(FakeFileSystem& files, FakeEnvironment& environment);
  const char* failedKey;  // registry key whose writes fail, or nullptr
  const char* named;      // what the message must name
};

class ApplyFailure : public ApplyTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ApplyFailure, LeavesTheOldDesktopAndRegistry) {
  const FailureCase& failure = GetParam();
  if (failure.arrange) failure.arrange(files, environment);
  RegistryFailingOneKey failing(registry, failure.failedKey ? failure.failedKey : "");
  const ApplyOutcome outcome = Run(FullyLinkedTestContent(), failing);
  EXPECT_EQ(outcome.result, ApplyResult::kFailed);
  EXPECT_EQ(outcome.title, "Применение изменений.");
  EXPECT_EQ(outcome.message.rfind("Не удалось применить изменения.\r\n", 0), 0u) << outcome.message;
  EXPECT_NE(outcome.message.find(failure.named), std::string::npos) << outcome.message;
  EXPECT_EQ(File(kDesktopFile), "old desktop");
  EXPECT_EQ(File(kScript), "old script");
  ExpectRegistryUntouched();
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, ApplyFailure,
    ::testing::Values(
        FailureCase{"ThemeFolderMissing",
                    [](FakeFileSystem& files, FakeEnvironment& environment) {
                      environment.programFolder = "C:\\Elsewhere";
                      files.AddDirectory("C:\\Elsewhere");
                    },
                    nullptr, "C:\\Elsewhere\\Themes\\Blue Classic\\theme.htm"},
        FailureCase{"ScriptNotWritable",
                    [](FakeFileSystem& files, FakeEnvironment&) {
                      files.readOnlyFolders.insert(kProgram);
                    },
                    nullptr, kScript},
        FailureCase{"DesktopFileNotWritable",
                    [](FakeFileSystem& files, FakeEnvironment&) {
                      files.readOnlyFolders.insert(kDesktopFolder);
                    },
                    nullptr, kDesktopFile},
        FailureCase{"FirstWallpaperValue", nullptr, kDesktopKey, "Wallpaper"},
        FailureCase{"SecondWallpaperValue", nullptr, kGeneralKey, "Wallpaper"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

}  // namespace
}  // namespace mirella
