// The module `registry` against the real registry, in a test key under HKEY_CURRENT_USER\Software
// that is removed afterwards.

#include "system/registry_win32.h"

#include <gtest/gtest.h>

#include "content/links.h"
#include "fakes/registry_contract.h"
#include "system/environment_win32.h"
#include "system/file_system_win32.h"
#include "win32/wide_text.h"

namespace mirella {
namespace {

constexpr wchar_t kTestKey[] = L"Software\\MirellaRegistryTest";

struct RealRegistry {
  static std::unique_ptr<Registry> Make() { return std::make_unique<Win32Registry>(); }
  static std::string Key() { return Narrow(kTestKey); }
  static void Cleanup() { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }
};

}  // namespace

namespace testing {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, RealRegistry);
}  // namespace testing

namespace {

class RegistryModule : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
  }
  void Store(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
  }
  std::string Read(const char* name) {
    return registry::GetStringValue(HKEY_CURRENT_USER, Narrow(kTestKey), name);
  }
  HKEY key_ = nullptr;
};

TEST_F(RegistryModule, ValuesOfOtherTypesReadAsEmptyText) {
  const DWORD number = 42;
  Store(L"dword", REG_DWORD, &number, sizeof number);
  Store(L"binary", REG_BINARY, "ab", 2);
  EXPECT_EQ(Read("dword"), "");
  EXPECT_EQ(Read("binary"), "");
}

TEST_F(RegistryModule, ExpandableValuesAreExpandedAndUnterminatedOnesReadWhole) {
  SetEnvironmentVariableW(L"MIRELLA_TEST_FOLDER", L"C:\\Папка");
  const std::wstring expandable = L"%MIRELLA_TEST_FOLDER%\\Themes";
  Store(L"expand", REG_EXPAND_SZ, expandable.c_str(),
        static_cast<DWORD>((expandable.size() + 1) * sizeof(wchar_t)));
  EXPECT_EQ(Read("expand"), "C:\\Папка\\Themes");
  // Stored without its terminating NUL, as some programs do.
  const std::wstring bare = L"без нуля";
  Store(L"bare", REG_SZ, bare.data(), static_cast<DWORD>(bare.size() * sizeof(wchar_t)));
  EXPECT_EQ(Read("bare"), "без нуля");
}

TEST_F(RegistryModule, ReportsAValueThatCannotBeWritten) {
  // A key name longer than the registry allows cannot be created: the write fails and says which
  // value it was.
  const Status status =
      registry::SetStringValue(HKEY_CURRENT_USER, std::string(262, 'k'), "Wallpaper", "x");
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("Wallpaper"), std::string::npos) << status.message();
}

TEST(LinksOnWindows, MyDocumentsAndMyPicturesComeFromTheShellFolders) {
  Win32Environment environment;
  Win32Registry registry;
  Win32FileSystem files;
  LinkSources sources{environment, registry, files};
  DesktopContent content;
  content.SystemDrive = SystemDriveOf(environment);
  const std::string shellFolders(kShellFoldersKey);
  const std::string personal =
      registry.GetStringValue(RegistryRoot::kCurrentUser, shellFolders, "Personal");
  const std::string pictures =
      registry.GetStringValue(RegistryRoot::kCurrentUser, shellFolders, "My Pictures");
  ASSERT_FALSE(personal.empty()) << "Wine's prefix has a Personal shell folder";
  ASSERT_FALSE(pictures.empty());
  EXPECT_EQ(GetLink(content, sources, 2), MakeLinkUrl(personal));
  EXPECT_EQ(GetLink(content, sources, 3), MakeLinkUrl(pictures));
  EXPECT_EQ(GetLink(content, sources, 2).find('\\'), std::string::npos);
  EXPECT_EQ(GetLink(content, sources, 0), MakeLinkUrl(content.SystemDrive));
  EXPECT_EQ(content.SystemDrive.size(), 3u);
}

}  // namespace
}  // namespace mirella
