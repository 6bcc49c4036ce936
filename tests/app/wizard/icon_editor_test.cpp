#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace mirella::testing {
namespace {

class IconEditorTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Open();
    InstallAndLoad();
  }
  ui::Control& Gallery() { return C("ico_bar"); }
  std::pair<int, int> Highlight(int page) {
    const ui::TwipsRect& r = C("ico_selected", page).bounds;
    return {r.left, r.top};
  }
};

TEST_F(IconEditorTest, TheGalleryOpensRightOfALeftPictureAndOverARightOneAtTheTopOfThePages) {
  Click("btn_icons", 2);
  const int expectedLeft[kEntryCount] = {1320, 1320, 1320, 585, 585, 1320, 1320, 1320, 585, 585, 585};
  for (int entry = 0; entry < kEntryCount; ++entry) {
    Click("ico", entry);
    EXPECT_TRUE(Gallery().visible);
    EXPECT_EQ(Gallery().bounds.left, expectedLeft[entry]) << entry;
    EXPECT_EQ(Gallery().bounds.top, 2040) << entry;
    EXPECT_EQ(Content().SelectedEntry, entry);
  }
  // A right-column gallery's right edge meets its picture's right edge on the window.
  const ui::Control& picture = C("ico", 10);
  EXPECT_EQ(Gallery().bounds.left + Gallery().bounds.width, picture.FormLeft() + picture.bounds.width);
}

TEST_F(IconEditorTest, APickGoesToTheSelectedEntryNotTheHighlightedOne) {
  Click("btn_icons", 1);
  Click("ico", 1);
  Click("ico_title", 4);
  EXPECT_EQ(Highlight(0), std::make_pair(2520, 1080));
  EXPECT_EQ(Content().SelectedEntry, 1);
  Click("ico_item", 19);
  EXPECT_FALSE(Gallery().visible);
  EXPECT_EQ(Content().EntryPicture[1], 19);
  EXPECT_EQ(C("ico", 1).picture, "icons/19.gif");
  EXPECT_EQ(Content().EntryPicture[4], 7);
  EXPECT_EQ(Highlight(0), std::make_pair(2520, 1080)) << "the pick moves no highlight";

  // A link button selects too, even when its menu closes without a choice.
  Click("ico", 0);
  Click("icon_link", 3);
  Click("ico_item", 6);
  EXPECT_EQ(Content().EntryPicture[3], 6);
  EXPECT_EQ(Content().EntryPicture[0], 14);
}

TEST_F(IconEditorTest, BothHighlightsMoveTogether) {
  Click("btn_icons", 1);
  Click("ico_desc", 2);
  EXPECT_EQ(Highlight(0), std::make_pair(120, 1920));
  EXPECT_EQ(Highlight(1), std::make_pair(120, 1920)) << "page 2 highlights entry 7's slot";
  Click("ico", 10);
  EXPECT_EQ(Highlight(0), std::make_pair(2520, 1920)) << "page 1's empty slot";
}

TEST_F(IconEditorTest, BackLeavesAnOpenGalleryWhoseLaterPickStillCounts) {
  Click("btn_icons", 2);
  EXPECT_TRUE(C("frm_frm_store", 2).visible);
  EXPECT_FALSE(C("frm_frm_store", 0).visible);
  EXPECT_TRUE(C("label", 9).visible);
  EXPECT_FALSE(C("label", 6).visible);
  EXPECT_EQ(C("frm_name").text, "Настройка");

  Click("ico", 6);
  Click("label", 9);
  EXPECT_TRUE(C("frm_frm_store", 0).visible);
  EXPECT_FALSE(C("frm_frm_store", 1).visible);
  EXPECT_FALSE(C("frm_frm_store", 2).visible);
  EXPECT_TRUE(C("label", 6).visible);
  EXPECT_FALSE(C("label", 9).visible);
  EXPECT_TRUE(Gallery().visible);

  Click("ico_item", 2);
  EXPECT_EQ(Content().EntryPicture[6], 2);
  EXPECT_EQ(C("ico", 6).picture, "icons/2.gif");
}

}  // namespace
}  // namespace mirella::testing
