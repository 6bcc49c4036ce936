#include "app/layer/hot_spots.h"
#include "app/layer/layer_links.h"

#include <gtest/gtest.h>

#include <vector>

namespace mirella::app {
namespace {

using render::Rect;

bool Covers(const std::vector<Rect>& shapes, int x, int y) {
  for (const Rect& shape : shapes) {
    if (shape.Contains(x, y)) return true;
  }
  return false;
}

// A page of 800 x 600 at `scale`: the emblem, an entry with a two-line caption and a
// description, the settings row, and an entry whose caption is empty.
render::DesktopLayout Page(double scale) {
  render::DesktopLayout layout;
  layout.width = 800;
  layout.height = 600;
  layout.scale = scale;
  layout.emblem = {0, 0, 345, 144};
  render::EntryRow entry;
  entry.entry = 0;
  entry.row = {0, 200, 400, 280};
  entry.pictureBounds = {10, 210, 58, 258};
  entry.caption.lines = {{"Первая", 70, 225, {70, 212, 160, 228}},
                         {"строка", 70, 241, {70, 228, 130, 244}}};
  entry.description.lines = {{"описание", 70, 262, {70, 250, 200, 266}}};
  render::EntryRow settings = entry;
  settings.entry = render::kSettingsRow;
  settings.row = {0, 300, 400, 380};
  settings.pictureBounds = {10, 310, 58, 358};
  settings.caption.lines = {{"Настройка", 70, 325, {70, 312, 180, 328}}};
  render::EntryRow empty = entry;
  empty.entry = 5;
  empty.row = {400, 200, 800, 280};
  empty.pictureBounds = {410, 210, 458, 258};
  empty.caption.lines = {{"", 470, 225, {470, 212, 470, 228}}};
  layout.rows = {entry, settings, empty};
  return layout;
}

TEST(LayerHotSpots, OwnOnlyTheLinksWithTheirMarginLessTheUsersIcons) {
  const render::DesktopLayout page = Page(1.0);
  const std::vector<Rect> noIcons;
  const HotSpots all = LayerHotSpots(page, noIcons);
  // The emblem from the corner (its margin kept within the page) to the last picture.
  EXPECT_EQ(all.bounds.left, 0);
  EXPECT_EQ(all.bounds.top, 0);
  EXPECT_EQ(all.bounds.right, 460);
  EXPECT_EQ(all.bounds.bottom, 360);
  EXPECT_TRUE(Covers(all.shapes, 20, 220));    // a picture
  EXPECT_TRUE(Covers(all.shapes, 129, 240));   // the caption's second line
  EXPECT_TRUE(Covers(all.shapes, 161, 220));   // within the margin
  EXPECT_FALSE(Covers(all.shapes, 162, 220));  // past it
  EXPECT_TRUE(Covers(all.shapes, 100, 320));   // the settings row's caption
  EXPECT_FALSE(Covers(all.shapes, 100, 260));  // a description is no link
  EXPECT_FALSE(Covers(all.shapes, 300, 230));  // the rest of a row
  EXPECT_FALSE(Covers(all.shapes, 470, 220));  // an empty caption shows nothing to click
  EXPECT_FALSE(Covers(all.shapes, 600, 500));  // the page around

  // An icon over the entry's picture and the start of its caption, another over the emblem's
  // corner: they take their pixels, the window keeps its size.
  const std::vector<Rect> icons = {{0, 205, 100, 235}, {300, 100, 420, 180}};
  const HotSpots spots = LayerHotSpots(page, icons);
  EXPECT_EQ(spots.bounds.right, all.bounds.right);
  EXPECT_EQ(spots.bounds.bottom, all.bounds.bottom);
  for (const Rect& icon : icons) {
    for (int y = icon.top; y < icon.bottom; ++y) {
      for (int x = icon.left; x < icon.right; ++x) ASSERT_FALSE(Covers(spots.shapes, x, y));
    }
  }
  EXPECT_TRUE(Covers(spots.shapes, 20, 240));   // the picture's part below the icon
  EXPECT_TRUE(Covers(spots.shapes, 120, 220));  // the caption right of it
  EXPECT_TRUE(Covers(spots.shapes, 200, 100));  // the emblem left of the other icon
  EXPECT_TRUE(Covers(spots.shapes, 320, 90));   // and above it
}

TEST(LayerHotSpots, TheMarginGrowsWithTheScale) {
  const std::vector<Rect> noIcons;
  const HotSpots spots = LayerHotSpots(Page(2.0), noIcons);
  EXPECT_TRUE(Covers(spots.shapes, 163, 220));
  EXPECT_FALSE(Covers(spots.shapes, 164, 220));
  const std::vector<Rect> none;
  EXPECT_TRUE(BoundingBox(none).Empty());
}

// What a screen reader is offered: the emblem, each entry by its caption's lines, the settings
// row; each with what a click on it opens.
TEST(LayerHotSpots, LinksAreNamedByTheirCaptions) {
  const std::vector<LayerLink> links = LayerLinks(Page(1.0));
  ASSERT_EQ(links.size(), 4u);
  EXPECT_EQ(links[0].click.target, LayerClick::Target::kEmblem);
  EXPECT_EQ(links[1].name, "Первая строка");
  EXPECT_EQ(links[1].click, (LayerClick{LayerClick::Target::kEntry, 0}));
  EXPECT_EQ(links[1].bounds.left, 10);
  EXPECT_EQ(links[1].bounds.right, 160);
  EXPECT_EQ(links[2].click.target, LayerClick::Target::kSettings);
  EXPECT_EQ(links[3].name, "");  // only its picture shows
  EXPECT_EQ(links[3].click, (LayerClick{LayerClick::Target::kEntry, 5}));
}

}  // namespace
}  // namespace mirella::app
