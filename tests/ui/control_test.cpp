#include "ui/control.h"

#include <gtest/gtest.h>

#include <memory>

namespace mirella::ui {
namespace {

std::unique_ptr<Control> Make(ControlKind kind, const std::string& name, int index,
                              TwipsRect bounds) {
  auto control = std::make_unique<Control>();
  control->kind = kind;
  control->name = name;
  control->index = index;
  control->bounds = bounds;
  return control;
}

// A form with a page frame, a sub-panel inside it and controls at every level.
class ControlTreeTest : public ::testing::Test {
 protected:
  ControlTreeTest() {
    form.kind = ControlKind::kForm;
    form.name = "main";
    form.bounds = {3000, 2000, 5970, 5880};
    page = &form.Add(Make(ControlKind::kFrame, "frm_store", -1, {360, 1920, 5295, 3735}));
    form.Add(Make(ControlKind::kLabel, "label", 0, {1080, 450, 3015, 375}));
    panel = &page->Add(Make(ControlKind::kFrame, "frm_frm_store", 1, {120, 120, 5055, 2895}));
    page->Add(Make(ControlKind::kLabel, "label", 6, {4200, 3240, 975, 375}));
    entry = &panel->Add(Make(ControlKind::kLabel, "ico_title", 2, {240, 600, 1000, 255}));
    panel->Add(Make(ControlKind::kLabel, "ico_title", 3, {240, 900, 1000, 255}));
  }

  Control form;
  Control* page;
  Control* panel;
  Control* entry;
};

TEST_F(ControlTreeTest, AddLinksTheParentAndKeepsStackingOrder) {
  EXPECT_EQ(page->parent, &form);
  EXPECT_EQ(entry->parent, panel);
  ASSERT_EQ(form.children.size(), 2u);
  EXPECT_EQ(form.children[0].get(), page);
  EXPECT_EQ(form.children[1]->name, "label");
}

TEST_F(ControlTreeTest, FindMatchesNameAndIndexAnywhereInTheTree) {
  EXPECT_EQ(form.Find("main"), &form);
  EXPECT_EQ(form.Find("ico_title", 2), entry);
  EXPECT_EQ(form.Find("ico_title", 3)->bounds.top, 900);
  EXPECT_EQ(form.Find("label", 6)->parent, page);
  EXPECT_EQ(form.Find("label", 0)->parent, &form);
  EXPECT_EQ(form.Find("ico_title"), nullptr);     // an array element needs its index
  EXPECT_EQ(form.Find("frm_store", 0), nullptr);  // a single control has none
  EXPECT_EQ(form.Find("nothing"), nullptr);
  EXPECT_EQ(page->Find("label", 0), nullptr);  // only the subtree is searched
  const Control& constForm = form;
  EXPECT_EQ(constForm.Find("frm_frm_store", 1), panel);
}

TEST_F(ControlTreeTest, PositionsInTheFormAddUpTheContainersButNotTheForm) {
  EXPECT_EQ(entry->FormLeft(), 360 + 120 + 240);
  EXPECT_EQ(entry->FormTop(), 1920 + 120 + 600);
  EXPECT_EQ(page->FormLeft(), 360);
  EXPECT_EQ(form.FormLeft(), 0);
  EXPECT_EQ(form.FormTop(), 0);
  EXPECT_EQ(&entry->Form(), &form);
  EXPECT_EQ(&form.Form(), &form);
}

TEST_F(ControlTreeTest, IsShownNeedsEveryAncestorVisible) {
  EXPECT_TRUE(entry->IsShown());
  page->visible = false;
  EXPECT_FALSE(entry->IsShown());
  EXPECT_TRUE(form.Find("label", 0)->IsShown());
  page->visible = true;
  entry->visible = false;
  EXPECT_FALSE(entry->IsShown());
  EXPECT_TRUE(panel->IsShown());
}

}  // namespace
}  // namespace mirella::ui
