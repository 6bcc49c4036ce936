#include "app/command_line.h"

#include <algorithm>

namespace mirella::app {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsSwitch(const std::string& argument, std::string_view name) {
  return std::equal(argument.begin(), argument.end(), name.begin(), name.end(),
                    [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

}  // namespace

LaunchMode ParseLaunchMode(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return LaunchMode::kWizard;
  if (arguments.size() == 1 && IsSwitch(arguments[0], "/layer")) return LaunchMode::kLayer;
  if (!IsSwitch(arguments[0], "/restore")) return LaunchMode::kUnknown;
  if (arguments.size() == 1) return LaunchMode::kRestore;
  if (arguments.size() == 2 && IsSwitch(arguments[1], "/quiet")) return LaunchMode::kRestoreQuietly;
  return LaunchMode::kUnknown;
}

}  // namespace mirella::app
