#pragma once
// What every Registry must do, run against the in-memory fake natively and against the real
// registry under Wine, so that the fake cannot drift from the real thing.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "system/registry.h"

namespace mirella::testing {

// Each implementation supplies: static std::unique_ptr<Registry> Make(); a test key under
// HKEY_CURRENT_USER that does not exist yet (Key()); and Cleanup(), which removes it.
template <class Implementation>
class RegistryContract : public ::testing::Test {
 protected:
  void SetUp() override { registry = Implementation::Make(); }
  void TearDown() override { Implementation::Cleanup(); }
  std::string Key(const std::string& sub = "") const {
    return sub.empty() ? Implementation::Key() : Implementation::Key() + "\\" + sub;
  }
  std::unique_ptr<Registry> registry;
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, WritingCreatesMissingKeysAndReplacesValues) {
  auto& registry = *this->registry;
  const std::string key = this->Key("Новый раздел\\Вложенный");
  ASSERT_TRUE(registry.SetStringValue(RegistryRoot::kCurrentUser, key, "Wallpaper", "первое").ok());
  EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, key, "Wallpaper"), "первое");
  ASSERT_TRUE(registry.SetStringValue(RegistryRoot::kCurrentUser, key, "Wallpaper", "второе").ok());
  EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, key, "Wallpaper"), "второе");
}

TYPED_TEST_P(RegistryContract, MissingAndEmptyValuesReadAsEmptyText) {
  auto& registry = *this->registry;
  EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, this->Key("Нет такого"), "x"), "");
  ASSERT_TRUE(registry.SetStringValue(RegistryRoot::kCurrentUser, this->Key(), "empty", "").ok());
  EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, this->Key(), "empty"), "");
  EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, this->Key(), "missing"), "");
}

TYPED_TEST_P(RegistryContract, LongAndCyrillicValuesRoundTripWhole) {
  auto& registry = *this->registry;
  const std::string exactly254(254, 'a');
  const std::string long300 = "C:\\Пользователи\\" + std::string(300, 'b');
  for (const std::string& text : {exactly254, long300, std::string("Рабочий стол — ёЁ")}) {
    ASSERT_TRUE(registry.SetStringValue(RegistryRoot::kCurrentUser, this->Key(), "v", text).ok());
    EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, this->Key(), "v"), text);
  }
}

// A snapshot taken with ReadValue puts back exactly what was there, and an absent value is
// absent again after DeleteValue.
TYPED_TEST_P(RegistryContract, RawValuesComeBackExactlyAndDeletedOnesAreGone) {
  auto& registry = *this->registry;
  const RegistryRoot root = RegistryRoot::kCurrentUser;
  auto missing = registry.ReadValue(root, this->Key("Нет такого"), "v");
  ASSERT_TRUE(missing.ok());
  EXPECT_FALSE(missing.value().has_value());
  EXPECT_TRUE(registry.DeleteValue(root, this->Key("Нет такого"), "v").ok());

  ASSERT_TRUE(registry.SetStringValue(root, this->Key(), "v", "прежнее").ok());
  auto snapshot = registry.ReadValue(root, this->Key(), "v");
  ASSERT_TRUE(snapshot.ok() && snapshot.value().has_value());
  ASSERT_TRUE(registry.SetStringValue(root, this->Key(), "v", "новое").ok());
  ASSERT_TRUE(registry.WriteValue(root, this->Key(), "v", *snapshot.value()).ok());
  EXPECT_EQ(registry.GetStringValue(root, this->Key(), "v"), "прежнее");

  const RegistryValue binary{3, std::string("\x01\x00\xFF", 3)};
  ASSERT_TRUE(registry.WriteValue(root, this->Key(), "v", binary).ok());
  auto read = registry.ReadValue(root, this->Key(), "v");
  ASSERT_TRUE(read.ok() && read.value().has_value());
  EXPECT_EQ(*read.value(), binary);
  EXPECT_EQ(registry.GetStringValue(root, this->Key(), "v"), "") << "not a string";

  ASSERT_TRUE(registry.DeleteValue(root, this->Key(), "v").ok());
  auto deleted = registry.ReadValue(root, this->Key(), "v");
  ASSERT_TRUE(deleted.ok());
  EXPECT_FALSE(deleted.value().has_value());
  EXPECT_TRUE(registry.DeleteValue(root, this->Key(), "v").ok());
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, WritingCreatesMissingKeysAndReplacesValues,
                            MissingAndEmptyValuesReadAsEmptyText,
                            LongAndCyrillicValuesRoundTripWhole,
                            RawValuesComeBackExactlyAndDeletedOnesAreGone);

}  // namespace mirella::testing
