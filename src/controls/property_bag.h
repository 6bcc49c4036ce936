#pragma once
// The stored properties of a control placed on a form: named values with defaults. A value equal
// to its default is not stored.

#include <map>
#include <optional>
#include <string>
#include <variant>

namespace mirella::ui {

class PropertyBag {
 public:
  using Value = std::variant<float, std::string>;

  // The stored value, or the given default when none is stored.
  float ReadNumber(const std::string& name, float defaultValue) const;
  std::string ReadText(const std::string& name, const std::string& defaultValue) const;
  bool Has(const std::string& name) const { return values_.count(name) != 0; }

  // Stores the value unless it equals the default, in which case any stored value is removed.
  void WriteNumber(const std::string& name, float value, float defaultValue);
  void WriteText(const std::string& name, const std::string& value, const std::string& defaultValue);

 private:
  std::map<std::string, Value> values_;
};

}  // namespace mirella::ui
