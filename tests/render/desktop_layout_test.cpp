// The desktop's layout with a measurer that gives every character the same advance: where the
// page's items stand, how texts wrap and are cut, and what a point hits.

#include "render/desktop_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "generate/test_content.h"
#include "render/fixed_advance_measurer.h"
#include "render/text_lines.h"

namespace mirella::render {
namespace {

using mirella::testing::FixedAdvanceMeasurer;

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

bool ValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

DesktopLayout LayOut(const DesktopContent& content, int width, int height, double scale) {
  return LayOutDesktop(content, width, height, scale, FixedAdvanceMeasurer(scale));
}

// The frame as the browser places it at 1024 x 768, and the same frame twice as large at
// twice the scale.
TEST(DesktopLayoutTest, PlacesThePageFrameAndScalesIt) {
  const DesktopContent content = testing::DefaultTestContent();
  const DesktopLayout layout = LayOut(content, 1024, 768, 1.0);
  EXPECT_EQ(layout.emblem.left, 669);
  EXPECT_EQ(layout.emblem.top, 10);
  EXPECT_EQ(layout.columnBar.top, 162);
  EXPECT_EQ(layout.columnBar.bottom, 192);
  EXPECT_EQ(layout.bottomBar.top, 729);
  EXPECT_EQ(layout.bottomBar.bottom, 764);
  ASSERT_EQ(layout.rows.size(), 12u);
  EXPECT_EQ(layout.rows[5].entry, kSettingsRow);
  EXPECT_EQ(layout.rows[5].picture, kSettingsPicture);
  EXPECT_EQ(layout.rows[6].entry, 5);
  // Column 1's first row: the picture centred in a row 16 % of the column high.
  EXPECT_EQ(layout.rows[0].pictureBounds.left, 24);
  EXPECT_EQ(layout.rows[0].pictureBounds.top, 217);
  EXPECT_EQ(layout.rows[0].caption.bounds.left, 92);
  EXPECT_EQ(layout.rows[6].pictureBounds.left, 533);
  EXPECT_EQ(layout.title.lines.size(), 1u);
  EXPECT_EQ(layout.title.bounds.top, 64);

  const DesktopLayout twice = LayOut(content, 2048, 1536, 2.0);
  EXPECT_EQ(twice.emblem.Width(), 690);
  EXPECT_EQ(twice.bottomBar.top, 2 * layout.bottomBar.top);
  for (std::size_t i = 0; i < layout.rows.size(); ++i) {
    EXPECT_NEAR(twice.rows[i].pictureBounds.top, 2 * layout.rows[i].pictureBounds.top, 1);
    EXPECT_EQ(twice.rows[i].pictureBounds.Width(), 96);
    EXPECT_EQ(twice.rows[i].description.lines.size(), layout.rows[i].description.lines.size());
  }
}

TEST(DesktopLayoutTest, WrapsAtSpacesWithinTheColumnAndCutsWhatTheRowCannotHold) {
  FixedAdvanceMeasurer measurer(1.0);
  // 8 pixels a character: 40 pixels hold five.
  const WrappedText words = WrapText("ab cde fghijk-lm n", TextStyle::Text, 40, 10, measurer);
  EXPECT_THAT(words.lines, ::testing::ElementsAre("ab", "cde", "fghij", "k-lm", "n"));
  EXPECT_FALSE(words.cut);
  const WrappedText cut = WrapText("один два три четыре", TextStyle::Text, 40, 2, measurer);
  EXPECT_THAT(cut.lines, ::testing::ElementsAre("один", "два…"));
  EXPECT_TRUE(cut.cut);
  EXPECT_EQ(VisibleText("  a\r\n<b>bold</b>\t<точно> "), "a bold <точно>");

  DesktopContent content = testing::DefaultTestContent();
  std::string longText;
  for (int i = 0; i < 200; ++i) longText += "слово ";
  content.EntryDescription[1] = longText;
  const DesktopLayout layout = LayOut(content, 1024, 768, 1.0);
  const EntryRow& row = layout.rows[1];
  // 407 pixels of text in a 507-pixel column: 62 characters of 6.5 pixels.
  ASSERT_GT(row.description.lines.size(), 1u);
  for (const TextLine& line : row.description.lines) EXPECT_LE(line.bounds.right, 92 + 407);
  EXPECT_EQ(row.description.lines[0].text.find("слово слово"), 0u);
  EXPECT_THAT(row.description.lines.back().text, ::testing::EndsWith("…"));
  EXPECT_TRUE(Inside(row.description.bounds, row.row));
  // The long row takes what the others leave, and the column still ends above the bottom bar.
  EXPECT_GT(row.row.Height(), layout.rows[0].row.Height());
  EXPECT_LE(layout.rows[5].row.bottom, layout.bottomBar.top);
}

TEST(DesktopLayoutTest, AdversarialTextsStayInsideTheirPlaces) {
  DesktopContent content = testing::DefaultTestContent();
  content.title = std::string(100000, 'W');
  content.col_1_title = "Эмодзи 😀🎉 " + std::string(3000, 'x');
  content.col_2_title = "";
  content.desktop = std::string(50000, ' ') + "中文" + std::string(50000, 'y');
  content.EntryCaption[0] = std::string(100000, 'W');
  content.EntryDescription[0] = "😀🎉😀🎉 " + std::string(100000, 'z');
  content.EntryCaption[2] = "";
  content.EntryDescription[2] = "";
  for (int i = 5; i < kEntryCount; ++i) content.EntryDescription[i] = std::string(20000, 'q') + " q";

  const auto start = std::chrono::steady_clock::now();
  for (const auto& [width, height, scale] :
       {std::tuple{1024, 768, 1.0}, std::tuple{3840, 2160, 2.0}, std::tuple{640, 480, 1.0}}) {
    const DesktopLayout layout = LayOut(content, width, height, scale);
    const Rect picture{0, 0, width, height};
    EXPECT_LE(layout.title.lines.size(), 3u);
    EXPECT_LE(layout.title.bounds.right, layout.emblem.left);
    EXPECT_LE(layout.columnTitles[0].bounds.right, (width + 1) / 2);
    EXPECT_TRUE(layout.columnTitles[1].lines.empty());
    EXPECT_TRUE(Inside(layout.barText.bounds, layout.bottomBar));
    EXPECT_TRUE(Inside(layout.bottomBar, picture));
    for (const EntryRow& row : layout.rows) {
      EXPECT_TRUE(Inside(row.row, picture)) << row.entry;
      EXPECT_LE(row.row.bottom, layout.bottomBar.top) << row.entry;
      for (const TextBlock* block : {&row.caption, &row.description}) {
        for (const TextLine& line : block->lines) {
          EXPECT_TRUE(Inside(line.bounds, row.row)) << row.entry << " at " << width;
          EXPECT_TRUE(ValidUtf8(line.text)) << row.entry;
        }
      }
    }
    // The empty caption keeps its line (the page's link), with no width.
    ASSERT_EQ(layout.rows[2].caption.lines.size(), 1u);
    EXPECT_EQ(layout.rows[2].caption.bounds.Width(), 0);
    EXPECT_TRUE(layout.rows[2].description.lines.empty());
    EXPECT_THAT(layout.rows[0].caption.lines.back().text, ::testing::EndsWith("…"));
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(DesktopLayoutTest, HitTestFindsPicturesCaptionsRowsAndTheEmblem) {
  const DesktopLayout layout = LayOut(testing::DefaultTestContent(), 1024, 768, 1.0);
  const auto centre = [](const Rect& r) {
    return std::pair{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  const auto hit = [&](std::pair<int, int> point) {
    const Hit h = HitTest(layout, point.first, point.second);
    return std::pair{h.kind, h.entry};
  };
  EXPECT_EQ(hit(centre(layout.emblem)), std::pair(HitKind::Emblem, 0));
  EXPECT_EQ(hit(centre(layout.rows[3].pictureBounds)), std::pair(HitKind::Picture, 3));
  EXPECT_EQ(hit(centre(layout.rows[5].caption.bounds)), std::pair(HitKind::Caption, kSettingsRow));
  EXPECT_EQ(hit(centre(layout.rows[11].caption.bounds)), std::pair(HitKind::Caption, 10));
  EXPECT_EQ(hit(centre(layout.rows[7].description.bounds)), std::pair(HitKind::Row, 6));
  EXPECT_EQ(hit(centre(layout.columnBar)), std::pair(HitKind::Nothing, 0));
  EXPECT_EQ(hit(centre(layout.title.bounds)), std::pair(HitKind::Nothing, 0));
  EXPECT_EQ(hit({-5, -5}), std::pair(HitKind::Nothing, 0));
}

}  // namespace
}  // namespace mirella::render
