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
  int restore = 0;
  int quiet = 0;
  int layer = 0;
  int other = 0;
  for (const std::string& argument : arguments) {
    if (IsSwitch(argument, "/restore")) {
      ++restore;
    } else if (IsSwitch(argument, "/quiet")) {
      ++quiet;
    } else if (IsSwitch(argument, "/layer")) {
      ++layer;
    } else {
      ++other;
    }
  }
  // Any order is the same request: a script that writes "/quiet /restore" means "/restore /quiet".
  if (other == 0 && layer == 0 && restore == 1 && quiet <= 1) {
    return quiet == 1 ? LaunchMode::kRestoreQuietly : LaunchMode::kRestore;
  }
  if (other == 0 && restore == 0 && quiet == 0 && layer == 1) return LaunchMode::kLayer;
  // "/quiet" promises that no window waits for an answer, even when the rest is wrong.
  return quiet > 0 ? LaunchMode::kUnknownQuietly : LaunchMode::kUnknown;
}

}  // namespace mirella::app
