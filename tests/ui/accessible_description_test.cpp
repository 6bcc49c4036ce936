#include "ui/accessible_description.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace mirella::ui {
namespace {

Control& AddChild(Control& parent, ControlKind kind, const std::string& text = "") {
  auto child = std::make_unique<Control>();
  child->kind = kind;
  child->text = text;
  return parent.Add(std::move(child));
}

// A form with a page holding one control of every kind: what a client is told follows the
// controls' kind, text, activation, visibility and enabled state.
TEST(AccessibleDescriptionTest, EveryKindIsDescribedFromItsControl) {
  Control form;
  form.kind = ControlKind::kForm;
  Control& page = AddChild(form, ControlKind::kFrame);
  const Control* shape = nullptr;
  for (ControlKind kind : {ControlKind::kFrame, ControlKind::kLabel, ControlKind::kImage,
                           ControlKind::kShape, ControlKind::kTextBox, ControlKind::kComboBox,
                           ControlKind::kButton, ControlKind::kProgress}) {
    Control& control = AddChild(page, kind, "Текст");
    if (kind == ControlKind::kShape) shape = &control;
    EXPECT_NE(DescribeAccessible(control).role, AccessibleRole::kNone) << static_cast<int>(kind);
    EXPECT_FALSE(DescribeAccessible(control).states.invisible);
    page.visible = false;
    EXPECT_TRUE(DescribeAccessible(control).states.invisible);
    page.visible = true;
    control.enabled = false;
    EXPECT_TRUE(DescribeAccessible(control).states.unavailable);
  }
  Control& timer = AddChild(page, ControlKind::kTimer);
  EXPECT_EQ(DescribeAccessible(timer).role, AccessibleRole::kNone);
  EXPECT_NE(DescribeAccessible(form).role, AccessibleRole::kNone);

  // Names: the accessible name, else the text; a window without a name of its own is the
  // system's to name.
  Control& label = AddChild(page, ControlKind::kLabel, "Выход");
  EXPECT_EQ(DescribeAccessible(label).name, "Выход");
  label.accessibleName = "Выйти из программы";
  EXPECT_EQ(DescribeAccessible(label).name, "Выйти из программы");
  Control& button = AddChild(page, ControlKind::kButton, "OK");
  EXPECT_TRUE(DescribeAccessible(button).systemNamed);
  button.accessibleName = "Готово";
  EXPECT_FALSE(DescribeAccessible(button).systemNamed);
  EXPECT_EQ(DescribeAccessible(button).name, "Готово");
  Control& progress = AddChild(page, ControlKind::kProgress);
  progress.progress.emplace();
  progress.progress->SetCaption("Загрузка");
  EXPECT_EQ(DescribeAccessible(progress).name, "Загрузка");
  EXPECT_TRUE(DescribeAccessible(progress).value.has_value());

  // A windowless control that acts as a button is one to a client, as a button window is; a
  // link is another thing, and plain text is neither.
  Control& pictureButton = AddChild(page, ControlKind::kImage);
  pictureButton.activation = Activation::kPushButton;
  const AccessibleDescription asButton = DescribeAccessible(pictureButton);
  EXPECT_EQ(asButton.role, DescribeAccessible(button).role);
  EXPECT_EQ(asButton.defaultAction, DescribeAccessible(button).defaultAction);
  EXPECT_TRUE(asButton.states.focusable);
  label.activation = Activation::kLink;
  const AccessibleDescription asLink = DescribeAccessible(label);
  EXPECT_NE(asLink.role, asButton.role);
  EXPECT_TRUE(asLink.states.linked && asLink.states.focusable && !asLink.states.readOnly);
  EXPECT_FALSE(asLink.defaultAction.empty());
  EXPECT_NE(asLink.defaultAction, asButton.defaultAction);
  label.activation = Activation::kNone;
  const AccessibleDescription asText = DescribeAccessible(label);
  EXPECT_NE(asText.role, asLink.role);
  EXPECT_TRUE(asText.states.readOnly && !asText.states.focusable && asText.defaultAction.empty());
  EXPECT_TRUE(DescribeAccessible(label, PresenceInTree(label, true)).states.focused);

  // A client sees the shown windows, text, pictures and progress bars; not shapes, timers, hover
  // areas (images without a picture) or hidden controls.
  Control& hoverArea = AddChild(page, ControlKind::kImage);
  Control& hiddenLabel = AddChild(page, ControlKind::kLabel, "Скрыто");
  hiddenLabel.visible = false;
  const std::vector<Control*> exposed = ExposedChildren(page);
  auto seen = [&exposed](const Control& control) {
    return std::find(exposed.begin(), exposed.end(), &control) != exposed.end();
  };
  EXPECT_TRUE(seen(label) && seen(button) && seen(progress) && seen(pictureButton));
  EXPECT_FALSE(seen(*shape) || seen(timer) || seen(hoverArea) || seen(hiddenLabel));
}

}  // namespace
}  // namespace mirella::ui
