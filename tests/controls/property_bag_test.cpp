#include "controls/property_bag.h"

#include <gtest/gtest.h>

namespace mirella::ui {
namespace {

TEST(PropertyBagTest, ReadsTheDefaultForMissingOrMistypedValues) {
  PropertyBag bag;
  EXPECT_EQ(bag.ReadNumber("Value", 1), 1.0f);
  EXPECT_EQ(bag.ReadText("Caption", "x"), "x");
  bag.WriteText("Value", "text", "");
  EXPECT_EQ(bag.ReadNumber("Value", 7), 7.0f);
}

}  // namespace
}  // namespace mirella::ui
