#include "controls/property_bag.h"

namespace mirella::ui {

float PropertyBag::ReadNumber(const std::string& name, float defaultValue) const {
  auto found = values_.find(name);
  if (found == values_.end()) return defaultValue;
  if (const float* number = std::get_if<float>(&found->second)) return *number;
  return defaultValue;
}

std::string PropertyBag::ReadText(const std::string& name, const std::string& defaultValue) const {
  auto found = values_.find(name);
  if (found == values_.end()) return defaultValue;
  if (const std::string* text = std::get_if<std::string>(&found->second)) return *text;
  return defaultValue;
}

void PropertyBag::WriteNumber(const std::string& name, float value, float defaultValue) {
  if (value == defaultValue) {
    values_.erase(name);
  } else {
    values_[name] = value;
  }
}

void PropertyBag::WriteText(const std::string& name, const std::string& value,
                            const std::string& defaultValue) {
  if (value == defaultValue) {
    values_.erase(name);
  } else {
    values_[name] = value;
  }
}

}  // namespace mirella::ui
