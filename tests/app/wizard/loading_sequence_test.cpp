#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace mirella::testing {
namespace {

class LoadingSequenceTest : public MainWindowTest {
 protected:
  std::string ThemePage() const {
    return environment.programFolder + "\\Themes\\Blue Classic\\theme.htm";
  }
  std::int16_t Value() { return C("progress").progress->Value(); }
};

TEST_F(LoadingSequenceTest, InstallWaitsTwoSecondsThenRunsOnceToTheSettingsPage) {
  Open();
  Click("label", 0);
  EXPECT_EQ(C("frm_name").text, "Установка");
  EXPECT_TRUE(C("frm_load").visible);
  EXPECT_FALSE(C("frm_main").visible);
  EXPECT_TRUE(C("load").enabled);
  EXPECT_EQ(Value(), 15);
  EXPECT_EQ(Content().EntryCaption[0], "");

  // Quit once the settings page is up, so that the loop shows whether the timer ticked again.
  EXPECT_EQ(host.RunMessageLoop(), 1);
  EXPECT_EQ(host.nowMs, 2000);
  EXPECT_EQ(Value(), 2550);
  EXPECT_FALSE(C("load").enabled);
  EXPECT_EQ(C("frm_name").text, "Настройка");
  EXPECT_TRUE(C("frm_store").visible);
  EXPECT_FALSE(C("frm_load").visible);
  EXPECT_TRUE(C("frm_frm_store", 0).visible);
  EXPECT_FALSE(C("frm_frm_store", 1).visible);
  EXPECT_EQ(Content().EntryPicture[10], 11);
  EXPECT_EQ(C("ico_desc", 10).text, "Этот ярлык содержит ссылку на очень полезную мне программу.");
  EXPECT_TRUE(files.FileExists(ThemePage()));
  EXPECT_TRUE(host.messages.empty());

  window->Timer(C("load"));  // a stray tick after the sequence changes nothing
  EXPECT_EQ(Value(), 2550);
}

TEST_F(LoadingSequenceTest, TheThemePageIsRewrittenOnEveryInstall) {
  files.AddFile(ThemePage(), "old page");
  Open();
  InstallAndLoad();
  EXPECT_NE(files.ReadFile(ThemePage()).value(), "old page");
}

TEST_F(LoadingSequenceTest, AThemePageThatCannotBeWrittenIsReportedAndTheSettingsPageStillOpens) {
  files.readOnlyFolders.insert(environment.programFolder + "\\Themes\\Blue Classic");
  Open();
  InstallAndLoad();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].icon, ui::MessageIcon::kCritical);
  EXPECT_EQ(host.messages[0].buttons, ui::MessageButtons::kOk);
  EXPECT_EQ(host.messages[0].title, "Mirella");
  EXPECT_NE(host.messages[0].text.find("theme.htm"), std::string::npos) << host.messages[0].text;
  EXPECT_EQ(C("frm_name").text, "Настройка");
  EXPECT_TRUE(C("frm_store").visible);
  EXPECT_FALSE(C("frm_load").visible);
  EXPECT_FALSE(C("load").enabled) << "a tick queued behind the message box cannot rerun it";
}

}  // namespace
}  // namespace mirella::testing
