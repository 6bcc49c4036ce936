#include "install/desktop_policies.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace mirella {
namespace {

constexpr std::string_view kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";
constexpr std::uint32_t kDword = 4;

struct Policy {
  std::string_view key;  // under kPolicies
  std::string_view name;
  bool anyValue;  // set by being there at all (a picture name, even empty); else a non-zero DWORD
};

constexpr std::array<Policy, 2> kWallpaperPolicies = {{
    {"System", "Wallpaper", true},
    {"ActiveDesktop", "NoChangingWallPaper", false},
}};
constexpr std::array<Policy, 2> kPageDesktopPolicies = {{
    {"Explorer", "NoActiveDesktop", false},
    {"ActiveDesktop", "NoHTMLWallPaper", false},
}};

// A value that cannot be read is taken for no policy: the shell, which reads it too, decides.
bool IsSet(const Registry& registry, RegistryRoot root, const Policy& policy) {
  const auto value =
      registry.ReadValue(root, std::string(kPolicies) + std::string(policy.key), std::string(policy.name));
  if (!value || !value.value()) return false;
  if (policy.anyValue) return true;
  const RegistryValue& stored = *value.value();
  if (stored.type != kDword || stored.data.size() < 4) return false;
  return stored.data.substr(0, 4) != std::string(4, '\0');
}

template <std::size_t N>
std::string FirstSet(const Registry& registry, const std::array<Policy, N>& policies) {
  for (const RegistryRoot root : {RegistryRoot::kLocalMachine, RegistryRoot::kCurrentUser}) {
    for (const Policy& policy : policies) {
      if (IsSet(registry, root, policy)) {
        return std::string(root == RegistryRoot::kLocalMachine ? "HKEY_LOCAL_MACHINE\\"
                                                               : "HKEY_CURRENT_USER\\") +
               std::string(kPolicies) + std::string(policy.key) + "\\" + std::string(policy.name);
      }
    }
  }
  return {};
}

}  // namespace

std::string WallpaperFixedByPolicy(const Registry& registry) {
  return FirstSet(registry, kWallpaperPolicies);
}

std::string PageDesktopForbiddenByPolicy(const Registry& registry) {
  return FirstSet(registry, kPageDesktopPolicies);
}

}  // namespace mirella
