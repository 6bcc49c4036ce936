#include "controls/mirella_progress.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "controls/property_bag.h"

namespace mirella {
namespace {

TEST(MirellaProgressTest, ValuesBelowTheMinimumBecomeFifteen) {
  MirellaProgress progress;
  for (float value : {0.0f, -1.0f, -32768.0f, 14.9f, NAN}) {
    progress.SetValue(value);
    EXPECT_EQ(progress.Value(), 15) << value;
    EXPECT_EQ(progress.FillWidth(), 15.0f) << value;
  }
  progress.SetValue(15);
  EXPECT_EQ(progress.Value(), 15);
}

TEST(MirellaProgressTest, ValueWiderThanTheControlIsKept) {
  MirellaProgress progress;
  progress.Resize(5175, 255);
  progress.SetValue(5190);
  EXPECT_EQ(progress.Value(), 5190);
  progress.SetValue(32767);
  EXPECT_EQ(progress.Value(), 32767);
}

TEST(MirellaProgressTest, ReadingRoundsToNearestWithTiesToEven) {
  MirellaProgress progress;
  const struct {
    float stored;
    int read;
  } cases[] = {{30.4f, 30}, {30.6f, 31}, {30.5f, 30}, {31.5f, 32}, {16.5f, 16}, {17.5f, 18}};
  for (const auto& c : cases) {
    progress.SetValue(c.stored);
    EXPECT_EQ(progress.Value(), c.read) << c.stored;
    EXPECT_EQ(progress.FillWidth(), c.stored);
  }
}

TEST(MirellaProgressTest, ReadingAValueBeyondSixteenBitsFails) {
  MirellaProgress progress;
  progress.SetValue(32768);
  EXPECT_THROW(progress.Value(), std::overflow_error);
}

TEST(MirellaProgressTest, SettersMarkThePropertiesChanged) {
  MirellaProgress value;
  EXPECT_FALSE(value.Changed());
  value.SetValue(30);
  EXPECT_TRUE(value.Changed());
  MirellaProgress caption;
  caption.SetCaption("Запуск программы...");
  EXPECT_TRUE(caption.Changed());
  EXPECT_EQ(caption.Caption(), "Запуск программы...");
}

TEST(MirellaProgressTest, InitPropertiesReappliesTheDesignState) {
  MirellaProgress progress;
  progress.SetValue(400);
  progress.InitProperties();
  EXPECT_EQ(progress.Value(), 15);
  EXPECT_EQ(progress.Caption(), "Прогресбар от Кастора!");
}

TEST(MirellaProgressTest, DefaultsAreNotStored) {
  MirellaProgress progress;
  progress.InitProperties();
  ui::PropertyBag bag;
  progress.WriteProperties(bag);
  EXPECT_FALSE(bag.Has("Value"));
  EXPECT_FALSE(bag.Has("Caption"));

  // Writing the defaults again removes what an earlier save stored.
  MirellaProgress changed;
  changed.SetValue(300);
  changed.SetCaption("Запуск программы...");
  changed.WriteProperties(bag);
  EXPECT_EQ(bag.ReadNumber("Value", 0), 300.0f);
  EXPECT_EQ(bag.ReadText("Caption", ""), "Запуск программы...");
  progress.WriteProperties(bag);
  EXPECT_FALSE(bag.Has("Value"));
  EXPECT_FALSE(bag.Has("Caption"));
}

TEST(MirellaProgressTest, StoredPropertiesRoundTripAndMissingOnesUseTheRules) {
  MirellaProgress saved;
  saved.SetValue(1234.5f);
  saved.SetCaption("Установка...");
  ui::PropertyBag bag;
  saved.WriteProperties(bag);

  MirellaProgress loaded;
  loaded.ReadProperties(bag);
  EXPECT_EQ(loaded.FillWidth(), 1234.5f);
  EXPECT_EQ(loaded.Caption(), "Установка...");

  // Nothing stored: the value reads as 1 and is raised to 15; the caption keeps the title's text.
  MirellaProgress empty;
  empty.SetCaption("Текущий текст");
  empty.ReadProperties(ui::PropertyBag{});
  EXPECT_EQ(empty.Value(), 15);
  EXPECT_EQ(empty.Caption(), "Текущий текст");
}

TEST(MirellaProgressTest, ResizeCentresTheTitleAndKeepsTheValue) {
  MirellaProgress progress;
  EXPECT_EQ(progress.TitleTop() * 2 + progress.TitleHeight(), progress.Height());
  progress.SetValue(600);
  progress.Resize(5175, 255);
  EXPECT_EQ(progress.Width(), 5175);
  EXPECT_EQ(progress.Height(), 255);
  EXPECT_EQ(progress.TitleTop(), 30);  // 255 / 2 - 195 / 2
  EXPECT_EQ(progress.Value(), 600);
  progress.Resize(2000, 1000);
  EXPECT_EQ(progress.TitleTop(), 403);  // 500 - 97
}

}  // namespace
}  // namespace mirella
