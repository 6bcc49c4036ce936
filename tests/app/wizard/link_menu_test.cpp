#include <gtest/gtest.h>

#include "app/wizard/link_menu.h"
#include "main_window_fixture.h"

namespace mirella::testing {
namespace {

class LinkMenuTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Open();
    InstallAndLoad();
    Click("btn_icons", 2);
  }
};

TEST_F(LinkMenuTest, TheMenuOpensUnderTheLinkButtonWithItsTenItems) {
  Click("icon_link", 0);
  Click("icon_link", 10);
  ASSERT_EQ(host.popups.size(), 2u);
  EXPECT_EQ(host.popups[0].x, 2640);
  EXPECT_EQ(host.popups[0].y, 2455);
  EXPECT_EQ(host.popups[1].x, 360 + 120 + 2520 + 2040);
  EXPECT_EQ(host.popups[1].y, 1920 + 120 + 1920 + 45 + 255);
  EXPECT_EQ(host.popups[0].form, &window->Form());

  const std::vector<ui::MenuItem>& items = host.popups[0].items;
  ASSERT_EQ(items.size(), 10u);
  EXPECT_EQ(items[0].caption, "Мой компьютер");
  EXPECT_EQ(items[7].caption, "Microsoft Windows Media Player");
  EXPECT_TRUE(items[8].separator);
  EXPECT_EQ(items[9].caption, "Выбрать файл...");
  EXPECT_EQ(Content().SelectedEntry, 10);
  EXPECT_EQ(C("ico_selected", 1).bounds.left, 2520);
}

TEST_F(LinkMenuTest, AChoiceStoresTheLinkAndTurnsTheButtonGreen) {
  EXPECT_EQ(C("icon_link", 7).backColour, kLinkUnmarked);
  host.popupChoices = {1};
  Click("icon_link", 7);
  EXPECT_EQ(Content().EntryLink[7], "file:///C:/WINDOWS/System32/control.exe");
  EXPECT_EQ(C("icon_link", 7).backColour, kLinkMarked);
  EXPECT_EQ(C("icon_link", 8).backColour, kLinkUnmarked);
}

TEST_F(LinkMenuTest, ATypedPathIsAskedForAndStoredAsTyped) {
  host.popupChoices = {app::kTypedPathItem};
  host.inputAnswers = {std::string("C:\\Program Files\\Мой ярлык.exe")};
  Click("icon_link", 9);
  ASSERT_EQ(host.inputs.size(), 1u);
  EXPECT_EQ(host.inputs[0].title, "Выбрать файл...");
  EXPECT_EQ(host.inputs[0].prompt,
            "Введите ссылку на файл или папку.\r\nНапример: C:\\Windows\\System32\\mspaint.exe");
  EXPECT_EQ(host.inputs[0].initialText, "");
  EXPECT_EQ(Content().EntryLink[9], "file:///C:/Program%20Files/Мой%20ярлык.exe");
  EXPECT_EQ(C("icon_link", 9).backColour, kLinkMarked);
}

TEST_F(LinkMenuTest, ACancelledOrEmptyInputAndAClosedMenuChangeNothing) {
  host.popupChoices = {app::kTypedPathItem, app::kTypedPathItem, -1};
  host.inputAnswers = {std::nullopt, std::string()};
  for (int i = 0; i < 3; ++i) Click("icon_link", 8);
  EXPECT_EQ(host.inputs.size(), 2u);
  EXPECT_EQ(Content().EntryLink[8], "");
  EXPECT_EQ(C("icon_link", 8).backColour, kLinkUnmarked);
}

}  // namespace
}  // namespace mirella::testing
