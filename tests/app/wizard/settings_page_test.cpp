#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace mirella::testing {
namespace {

class SettingsPageTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Open();
    InstallAndLoad();
  }
  // Every entry gets a link through the menu, so that Apply goes ahead.
  void LinkEveryEntry() {
    for (int entry : {4, 7, 8, 9, 10}) {
      host.popupChoices.push_back(5);
      Click("icon_link", entry);
    }
  }
  std::string Script() {
    auto bytes = files.ReadFile(environment.programFolder + "\\desktop.js");
    return bytes ? bytes.value() : "";
  }
};

TEST_F(SettingsPageTest, TheBoxesShowTheContentAndTypingReachesIt) {
  EXPECT_EQ(C("title").text, "Рабочий стол");
  EXPECT_EQ(C("col_2_title").text, "Мои файлы и папки");
  EXPECT_EQ(C("desktop").text, "Рабочий стол сделан с Mirella");
  for (int entry = 0; entry < kEntryCount; ++entry) {
    EXPECT_EQ(C("ico_title", entry).text, Content().EntryCaption[entry]);
    EXPECT_EQ(C("ico_desc", entry).text, Content().EntryDescription[entry]);
    EXPECT_EQ(C("icon_link", entry).backColour, Content().linkMark[entry]) << entry;
    EXPECT_EQ(C("ico", entry).picture, "icons/" + std::to_string(Content().EntryPicture[entry]) + ".gif");
  }

  Type("title", -1, "Мой стол");
  Type("col_1_title", -1, "Система");
  Type("col_2_title", -1, "Файлы");
  Type("desktop", -1, "");
  Type("ico_title", 10, "Ярлык");
  Type("ico_desc", 3, "Мусор");
  EXPECT_EQ(Content().title, "Мой стол");
  EXPECT_EQ(Content().col_1_title, "Система");
  EXPECT_EQ(Content().col_2_title, "Файлы");
  EXPECT_EQ(Content().desktop, "");
  EXPECT_EQ(Content().EntryCaption[10], "Ярлык");
  EXPECT_EQ(Content().EntryDescription[3], "Мусор");
  EXPECT_EQ(Content().EntryCaption[3], "Корзина");
}

TEST_F(SettingsPageTest, ApplyRefusesWhileAnEntryHasNoLink) {
  Click("label", 8);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text,
            "Для некоторых значков еще нет ссылок.\r\nНастройте ссылки и повторите попытку.");
  EXPECT_EQ(host.messages[0].icon, ui::MessageIcon::kInformation);
  EXPECT_EQ(host.messages[0].buttons, ui::MessageButtons::kOk);
  EXPECT_EQ(host.messages[0].title, "Применение изменений.");
  EXPECT_FALSE(host.quit());
  EXPECT_EQ(Script(), "");
  EXPECT_EQ(registry.writeCount, 0);
}

TEST_F(SettingsPageTest, ApplyWritesWhatWasTypedAndEndsAfterTheMessage) {
  LinkEveryEntry();
  Type("title", -1, "Мой стол");
  Type("ico_title", 0, "Компьютер");
  Click("label", 8);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].icon, ui::MessageIcon::kInformation);
  EXPECT_EQ(host.messages[0].title, "Mirella");
  EXPECT_EQ(host.messages[0].text.rfind("Изменения сохранены.", 0), 0u);
  EXPECT_TRUE(host.quit());
  // The script is in code page 1251: compare with the encoded texts.
  const std::string script = Script();
  EXPECT_NE(script.find("\xCC\xEE\xE9 \xF1\xF2\xEE\xEB"), std::string::npos) << "Мой стол";
  EXPECT_NE(script.find("\xCA\xEE\xEC\xEF\xFC\xFE\xF2\xE5\xF0"), std::string::npos) << "Компьютер";
}

// Here the failure's rollback fails as well: the message says what keeps the new content.
TEST_F(SettingsPageTest, AFailedApplyIsAnErrorAndTheProgramGoesOn) {
  LinkEveryEntry();
  registry.writesLeft = 1;
  files.writesLeft = 3;  // the saved previous desktop, desktop.js and Desktop.htt
  Click("label", 8);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].icon, ui::MessageIcon::kCritical);
  EXPECT_EQ(host.messages[0].buttons, ui::MessageButtons::kOk);
  EXPECT_EQ(host.messages[0].title, "Применение изменений.");
  const std::string& text = host.messages[0].text;
  EXPECT_EQ(text.rfind("Не удалось применить изменения.\r\nНе удалось записать параметр реестра", 0), 0u)
      << text;
  for (const char* left : {"desktop.js остался изменённым", "Desktop.htt остался изменённым",
                           "\"Wallpaper\" в разделе \"Control Panel\\Desktop\" остался изменённым"}) {
    EXPECT_NE(text.find(left), std::string::npos) << left;
  }
  EXPECT_FALSE(host.quit());
  EXPECT_TRUE(C("frm_store").visible);
}

// A wallpaper fixed by policy is a refusal that names the policy; a web desktop the shell will
// not switch on is one more sentence after success.
TEST_F(SettingsPageTest, WhatTheSystemForbidsIsSaid) {
  LinkEveryEntry();
  const std::string policies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
  registry.Put(policies, "Wallpaper", "C:\\corporate.bmp");
  Click("label", 8);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].icon, ui::MessageIcon::kCritical);
  EXPECT_NE(host.messages[0].text.find("политикой администратора (параметр реестра "
                                       "\"HKEY_CURRENT_USER\\" + policies + "\\Wallpaper\")"),
            std::string::npos)
      << host.messages[0].text;
  EXPECT_FALSE(host.quit());
  EXPECT_EQ(Script(), "");

  ASSERT_TRUE(registry.DeleteValue(RegistryRoot::kCurrentUser, policies, "Wallpaper"));
  shell.webDesktop.reset();
  host.messages.clear();
  Click("label", 8);
  ASSERT_EQ(host.messages.size(), 1u);
  const std::string& text = host.messages[0].text;
  EXPECT_EQ(text.rfind("Изменения сохранены.", 0), 0u);
  EXPECT_NE(text.find("\r\nРабочий стол Mirella не будет виден, пока в системе не разрешён "
                      "веб-рабочий стол (Active Desktop)"),
            std::string::npos)
      << text;
  EXPECT_TRUE(host.quit());
}

TEST_F(SettingsPageTest, PreviewOpensTheCurrentEditsWithoutTouchingTheInstalledDesktop) {
  Type("title", -1, "Предпросмотр");
  files.AddDirectory(environment.temporaryFolder);
  const int registryWrites = registry.writeCount;
  Click("label", 7);
  ASSERT_EQ(host.shellOpens.size(), 1u);
  const std::string page = host.shellOpens[0];
  EXPECT_EQ(page.rfind(environment.temporaryFolder + "\\", 0), 0u) << page;
  ASSERT_TRUE(files.FileExists(page));
  auto script = files.ReadFile(page.substr(0, page.rfind('\\')) + "\\desktop.js");
  ASSERT_TRUE(script.ok());
  EXPECT_NE(script.value().find("Предпросмотр"), std::string::npos);
  EXPECT_EQ(Script(), "") << "the program's desktop.js is not written";
  EXPECT_EQ(registry.writeCount, registryWrites);
  EXPECT_FALSE(host.quit());

  files.readOnlyFolders.insert(page.substr(0, page.rfind('\\')));
  Click("label", 7);
  EXPECT_EQ(host.shellOpens.size(), 1u) << "nothing is opened when the preview cannot be written";
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].icon, ui::MessageIcon::kCritical);
}

}  // namespace
}  // namespace mirella::testing
