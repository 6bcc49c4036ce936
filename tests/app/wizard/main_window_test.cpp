#include <gtest/gtest.h>

#include "app/wizard/navigation.h"
#include "app/wizard/settings_layout.h"
#include "content/default_content.h"
#include "content/maker_site.h"
#include "generate/desktop_script.h"
#include "generate/tricky_content.h"
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
  app::MainWindow other(closingHost, environment, registry, files, codePage, shell, picture);
  other.Closed(other.Form());
  EXPECT_TRUE(closingHost.quit());
}

TEST_F(MainWindowTest, CancelEndsOnlyAfterYes) {
  Open();
  InstallAndLoad();
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

// Configure starts from the desktop as installed; applying it unchanged but for one new link
// writes the same script with that link.
TEST_F(MainWindowTest, ConfigureShowsTheInstalledDesktopWithItsLinksMarked) {
  DesktopContent installed = TrickyContent(1);
  installed.EntryLink.fill("file:///D:/");
  installed.EntryLink[9] = "";
  const std::string scriptPath = environment.programFolder + "\\desktop.js";
  files.AddFile(scriptPath, DesktopScript(installed, environment.programFolder, codePage));
  Open();
  Click("label", 1);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(C("frm_name").text, "Настройка");
  EXPECT_TRUE(C("frm_store").visible);
  EXPECT_FALSE(C("frm_main").visible);
  ExpectSameDesktop(Content(), installed);
  EXPECT_EQ(C("title").text, installed.title);
  EXPECT_EQ(C("desktop").text, installed.desktop);
  for (int entry = 0; entry < kEntryCount; ++entry) {
    EXPECT_EQ(C("ico_title", entry).text, installed.EntryCaption[entry]);
    EXPECT_EQ(C("ico_desc", entry).text, installed.EntryDescription[entry]);
    EXPECT_EQ(C("ico", entry).picture, app::GalleryPicture(installed.EntryPicture[entry]));
    EXPECT_EQ(C("icon_link", entry).backColour, entry == 9 ? kLinkUnmarked : kLinkMarked) << entry;
  }

  host.popupChoices.push_back(5);
  Click("icon_link", 9);
  installed.EntryLink[9] = Content().EntryLink[9];
  Click("label", 8);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_TRUE(host.quit()) << host.messages[0].text;
  EXPECT_EQ(files.ReadFile(scriptPath).value(),
            DesktopScript(installed, environment.programFolder, codePage));
}

// Each time desktop.js cannot be read back, configure says so and starts from the defaults.
TEST_F(MainWindowTest, ConfigureFallsBackToTheDefaultsWhenTheInstalledDesktopCannotBeRead) {
  const std::string scriptPath = environment.programFolder + "\\desktop.js";
  DesktopContent installed = TrickyContent(2);
  std::string damaged = DesktopScript(installed, environment.programFolder, codePage);
  damaged.insert(damaged.find("icons[3]"), "// edited\r\n");
  files.AddFile(scriptPath, damaged);
  Open();
  Click("label", 1);
  files.unreadableFiles.insert(scriptPath);
  Type("ico_title", 0, "Компьютер");
  Type("title", -1, "Мой стол");
  Click("label", 1);

  ASSERT_EQ(host.messages.size(), 2u);
  for (const FakeHost::Message& notice : host.messages) {
    EXPECT_EQ(notice.text,
              "Не удалось прочитать сохранённые настройки Рабочего стола. Открыты настройки по "
              "умолчанию.");
    EXPECT_EQ(notice.icon, ui::MessageIcon::kInformation);
    EXPECT_EQ(notice.buttons, ui::MessageButtons::kOk);
    EXPECT_EQ(notice.title, "Mirella");
  }
  EXPECT_TRUE(C("frm_store").visible);
  EXPECT_EQ(Content().EntryCaption[0], "Мой компьютер");
  EXPECT_EQ(C("ico_title", 0).text, "Мой компьютер");
  EXPECT_EQ(Content().EntryPicture[0], DefaultPicture(0));
  EXPECT_EQ(C("icon_link", 4).backColour, kLinkUnmarked);
  EXPECT_EQ(C("icon_link", 5).backColour, kLinkMarked);
  EXPECT_EQ(Content().title, "Мой стол") << "the desktop texts keep what the user typed";
  EXPECT_FALSE(files.FileExists(environment.programFolder + "\\Themes\\Blue Classic\\theme.htm"))
      << "configure does not rewrite the theme page";
}

}  // namespace
}  // namespace mirella::testing
