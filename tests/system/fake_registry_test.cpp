#include "fakes/fake_registry.h"
#include "fakes/registry_contract.h"

namespace mirella::testing {
namespace {

struct InMemoryRegistry {
  static std::unique_ptr<Registry> Make() { return std::make_unique<FakeRegistry>(); }
  static std::string Key() { return "Software\\MirellaTest"; }
  static void Cleanup() {}
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, RegistryContract, InMemoryRegistry);

TEST(FakeRegistry, KeysAndNamesIgnoreAsciiCaseLikeTheRealOne) {
  FakeRegistry registry;
  registry.Put("Control Panel\\Desktop", "Wallpaper", "x");
  EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, "control panel\\DESKTOP", "wallpaper"),
            "x");
}

}  // namespace
}  // namespace mirella::testing
