#include <gtest/gtest.h>

#include "app/navigation.h"
#include "content/maker_site.h"
#include "main_window_fixture.h"

namespace mirella::testing {
namespace {

constexpr Colour kDesignGrey = ui::Rgb(224, 224, 224);
constexpr Colour kResetGrey = ui::Rgb(220, 220, 220);

TEST_F(MainWindowTest, WithoutDesktopScriptTheMenuOffersInstall) {
  Open();
  EXPECT_EQ(Content().SystemDrive, "C:\\");
  EXPECT_TRUE(C("label", 0).visible);
  EXPECT_FALSE(C("label", 1).visible);
  EXPECT_TRUE(C("iconik", 0).visible);
  EXPECT_FALSE(C("iconik", 1).visible);
  EXPECT_EQ(C("theme").selectedItem, 0);
  EXPECT_EQ(C("theme").text, "Стандартная голубая (по умолчанию)");
}

TEST_F(MainWindowTest, WithDesktopScriptTheMenuOffersConfigure) {
  files.AddFile(environment.programFolder + "\\desktop.js", "// earlier run");
  environment.variables.erase("windir");
  Open();
  EXPECT_EQ(Content().SystemDrive, "");
  EXPECT_FALSE(C("label", 0).visible);
  EXPECT_TRUE(C("label", 1).visible);
  EXPECT_FALSE(C("iconik", 0).visible);
  EXPECT_TRUE(C("iconik", 1).visible);
}

TEST_F(MainWindowTest, SwitchFrameKeepsTheTitleWhenEmptyAndHidesLast) {
  Open();
  ui::Control& title = C("frm_name");
  app::SwitchFrame(title, C("frm_main"), C("frm_help"), "");
  EXPECT_EQ(title.text, "Главное меню");
  EXPECT_TRUE(C("frm_help").visible);
  EXPECT_FALSE(C("frm_main").visible);

  app::SwitchFrame(title, C("frm_help"), C("frm_help"), "О программе");
  EXPECT_EQ(title.text, "О программе");
  EXPECT_FALSE(C("frm_help").visible) << "switching a frame to itself leaves it hidden";
}

TEST_F(MainWindowTest, HoverWhitensALabelAndAHoverAreaDimsAllTen) {
  Open();
  Hover("label", 3);
  EXPECT_EQ(C("label", 3).foreColour, ui::kWhite);
  EXPECT_EQ(C("label", 2).foreColour, kDesignGrey);
  Hover("label", 5);  // the caption-less label of the about page whitens all the same
  EXPECT_EQ(C("label", 5).foreColour, ui::kWhite);

  for (int area = 0; area < 3; ++area) {
    Hover("label", 4);
    Hover("frm_pal", area);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(C("label", i).foreColour, kResetGrey) << area << " " << i;
  }
  Hover("ico", 0);  // other controls leave the labels alone
  EXPECT_EQ(C("label", 0).foreColour, kResetGrey);
}

TEST_F(MainWindowTest, HelpAndAClickOnTheAboutPageGoBackToTheMenu) {
  Open();
  Click("label", 3);
  EXPECT_EQ(C("frm_name").text, "О программе");
  EXPECT_TRUE(C("frm_help").visible);
  EXPECT_FALSE(C("frm_main").visible);
  Click("label", 5);
  EXPECT_EQ(C("frm_name").text, "Главное меню");
  EXPECT_TRUE(C("frm_main").visible);
  EXPECT_FALSE(C("frm_help").visible);
}

TEST_F(MainWindowTest, WebSiteExitAndClosingTheWindow) {
  Open();
  Click("label", 2);
  EXPECT_EQ(host.shellOpens, std::vector<std::string>{std::string(kMakerSite)});
  EXPECT_FALSE(host.quit());
  Click("label", 4);
  EXPECT_TRUE(host.quit());
  EXPECT_TRUE(host.messages.empty()) << "exit asks nothing";

  FakeHost closingHost;
  app::MainWindow other(closingHost, environment, registry, files, codePage);
  other.Closed(other.Form());
  EXPECT_TRUE(closingHost.quit());
}

TEST_F(MainWindowTest, CancelEndsOnlyAfterYes) {
  Open();
  Click("label", 1);
  host.messageAnswers = {ui::MessageAnswer::kNo, ui::MessageAnswer::kYes};
  Click("label", 6);
  ASSERT_EQ(host.messages.size(), 1u);
  const FakeHost::Message& question = host.messages[0];
  EXPECT_EQ(question.text,
            "При отмене настройки все несохраненные изменения будут утеряны.\r\n"
            "Вы точно хотите выйти из программы?");
  EXPECT_EQ(question.icon, ui::MessageIcon::kQuestion);
  EXPECT_EQ(question.buttons, ui::MessageButtons::kYesNo);
  EXPECT_EQ(question.title, "Отмена");
  EXPECT_FALSE(host.quit());
  EXPECT_TRUE(C("frm_store").visible);

  Click("label", 6);
  EXPECT_TRUE(host.quit());
}

TEST_F(MainWindowTest, ConfigureOpensSettingsAndReloadsTheDefaultsEachTime) {
  files.AddFile(environment.programFolder + "\\desktop.js", "");
  Open();
  Click("label", 1);
  EXPECT_EQ(C("frm_name").text, "Настройка");
  EXPECT_TRUE(C("frm_store").visible);
  EXPECT_FALSE(C("frm_main").visible);
  EXPECT_EQ(C("ico_title", 0).text, "Мой компьютер");
  EXPECT_FALSE(files.FileExists(environment.programFolder + "\\Themes\\Blue Classic\\theme.htm"))
      << "configure does not rewrite the theme page";

  Type("ico_title", 0, "Компьютер");
  Type("title", -1, "Мой стол");
  Click("label", 1);
  EXPECT_EQ(Content().EntryCaption[0], "Мой компьютер");
  EXPECT_EQ(C("ico_title", 0).text, "Мой компьютер");
  EXPECT_EQ(Content().title, "Мой стол") << "the desktop texts keep what the user typed";
}

}  // namespace
}  // namespace mirella::testing
