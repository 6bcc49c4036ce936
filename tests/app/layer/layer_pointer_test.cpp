// The layer's pointer driven over the default desktop as the layout lays it out at 1024 x 768:
// the hover colour and what is painted again, the cursor, and what a click opens.

#include "app/layer/layer_pointer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "generate/test_content.h"
#include "render/fixed_advance_measurer.h"

namespace mirella::app {
namespace {

using Target = LayerClick::Target;

struct Point {
  int x;
  int y;
};

Point Centre(const render::Rect& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

class LayerPointerTest : public ::testing::Test {
 protected:
  LayerPointerTest()
      : layout_(render::LayOutDesktop(mirella::testing::DefaultTestContent(), 1024, 768, 1.0,
                                      mirella::testing::FixedAdvanceMeasurer(1.0))) {
    pointer_.Show(&layout_);
  }

  const render::EntryRow& Row(int entry) const {
    for (const render::EntryRow& row : layout_.rows) {
      if (row.entry == entry) return row;
    }
    throw std::out_of_range("no row for the entry");
  }
  Point Caption(int entry) const { return Centre(Row(entry).caption.lines.front().bounds); }
  Point Picture(int entry) const { return Centre(Row(entry).pictureBounds); }
  // A point of the row beside its picture and caption, which opens nothing.
  Point RowOnly(int entry) const {
    const render::Rect& row = Row(entry).row;
    const Point point{row.right - 2, row.bottom - 2};
    EXPECT_EQ(render::HitTest(layout_, point.x, point.y).kind, render::HitKind::Row);
    return point;
  }

  CaptionChange Move(Point point) { return pointer_.MoveTo(point.x, point.y); }
  LayerClick Drag(Point from, Point to) {
    pointer_.Press(from.x, from.y);
    pointer_.MoveTo(to.x, to.y);
    return pointer_.Release(to.x, to.y);
  }
  LayerClick Click(Point point) { return Drag(point, point); }
  LayerCursor Cursor(Point point) const { return pointer_.CursorAt(point.x, point.y); }

  render::DesktopLayout layout_;
  LayerPointer pointer_;
};

TEST_F(LayerPointerTest, OnlyTheCaptionUnderThePointerIsHoveredAndPaintedAgain) {
  const render::TextBlock* caption2 = &Row(2).caption;
  CaptionChange change = Move(Caption(2));
  EXPECT_EQ(change.unhovered, nullptr);
  EXPECT_EQ(change.hovered, caption2);
  EXPECT_EQ(pointer_.HoveredCaption(), caption2);
  const Point lineEnd{Row(2).caption.lines.front().bounds.right - 1, Caption(2).y};
  change = Move(lineEnd);  // still the same caption: nothing to paint
  EXPECT_EQ(change.unhovered, nullptr);
  EXPECT_EQ(change.hovered, nullptr);

  // Its picture opens the same link but takes no hover colour.
  change = Move(Picture(2));
  EXPECT_EQ(change.unhovered, caption2);
  EXPECT_EQ(change.hovered, nullptr);
  EXPECT_EQ(pointer_.HoveredCaption(), nullptr);

  Move(Caption(7));
  change = Move(Caption(render::kSettingsRow));
  EXPECT_EQ(change.unhovered, &Row(7).caption);
  EXPECT_EQ(change.hovered, &Row(render::kSettingsRow).caption);

  change = pointer_.Leave();
  EXPECT_EQ(change.unhovered, &Row(render::kSettingsRow).caption);
  EXPECT_EQ(change.hovered, nullptr);
  EXPECT_EQ(pointer_.HoveredCaption(), nullptr);
  EXPECT_EQ(pointer_.Leave().unhovered, nullptr);

  // A layout shown anew (desktop.js drawn again) starts with nothing hovered.
  Move(Caption(3));
  const render::DesktopLayout redrawn = layout_;
  pointer_.Show(&redrawn);
  EXPECT_EQ(pointer_.HoveredCaption(), nullptr);
  EXPECT_EQ(Move(Caption(3)).hovered, &redrawn.rows[3].caption);
}

TEST_F(LayerPointerTest, TheHandShowsOverWhatOpens) {
  for (const Point point : {Caption(0), Picture(9), Caption(render::kSettingsRow),
                            Centre(layout_.emblem)}) {
    EXPECT_EQ(Cursor(point), LayerCursor::kHand) << point.x << "," << point.y;
  }
  for (const Point point : {RowOnly(4), Centre(layout_.title.bounds), Centre(layout_.bottomBar)}) {
    EXPECT_EQ(Cursor(point), LayerCursor::kArrow) << point.x << "," << point.y;
  }
  LayerPointer nothingShown;
  EXPECT_EQ(nothingShown.CursorAt(Caption(0).x, Caption(0).y), LayerCursor::kArrow);
}

TEST_F(LayerPointerTest, AClickOpensWhatItWasPressedAndReleasedOn) {
  EXPECT_EQ(Click(Picture(0)), (LayerClick{Target::kEntry, 0}));
  EXPECT_EQ(Click(Caption(6)), (LayerClick{Target::kEntry, 6}));
  EXPECT_EQ(Click(Centre(layout_.emblem)), (LayerClick{Target::kEmblem, 0}));
  EXPECT_EQ(Click(Picture(render::kSettingsRow)), (LayerClick{Target::kSettings, 0}));
  EXPECT_EQ(Click(Caption(render::kSettingsRow)), (LayerClick{Target::kSettings, 0}));
  EXPECT_EQ(Click(RowOnly(1)), LayerClick{});

  // Dragged off to another item, even the picture beside the caption, opens nothing; dragged
  // away and back opens what was pressed.
  EXPECT_EQ(Drag(Caption(1), Caption(2)), LayerClick{});
  EXPECT_EQ(Drag(Picture(1), Caption(1)), LayerClick{});
  EXPECT_EQ(Drag(Caption(1), RowOnly(1)), LayerClick{});
  pointer_.Press(Caption(8).x, Caption(8).y);
  Move(Centre(layout_.bottomBar));
  EXPECT_EQ(pointer_.Release(Caption(8).x, Caption(8).y), (LayerClick{Target::kEntry, 8}));

  // A release with no press of its own (that press began outside the layer) opens nothing, also
  // right after a click on the same caption.
  Click(Caption(5));
  EXPECT_EQ(pointer_.Release(Caption(5).x, Caption(5).y), LayerClick{});
}

}  // namespace
}  // namespace mirella::app
