// Apply end to end under Wine: a temporary program folder, the real registry, the real
// application-data folder. Whatever the test changes there is put back afterwards.

#include "system/apply.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <optional>

#include "content/default_content.h"
#include "generate/code_page_win32.h"
#include "generate/cp1251.h"
#include "generate/desktop_script.h"
#include "generate/encoded_text.h"
#include "generate/theme_page.h"
#include "system/environment_win32.h"
#include "system/file_system_win32.h"
#include "system/registry_win32.h"
#include "system/wide_text_win32.h"
#include "win32/remove_tree.h"

namespace mirella {
namespace {

constexpr const char* kDesktopKey = "Control Panel\\Desktop";
constexpr const char* kGeneralKey = "Software\\Microsoft\\Internet Explorer\\Desktop\\General";
constexpr const wchar_t* kWideDesktopKey = L"Control Panel\\Desktop";
constexpr const wchar_t* kWideGeneralKey = L"Software\\Microsoft\\Internet Explorer\\Desktop\\General";
constexpr const wchar_t* kWideActiveDesktopKey = L"Software\\Microsoft\\Internet Explorer\\Desktop";
// The folder and links the golden files were made for.
constexpr std::string_view kGoldenFolderUrl = "file:///C:/Program%20Files/Mirella";
const std::array<std::string, kEntryCount> kGoldenLinks = {
    "file:///C:/", "file:///C:/WINDOWS/System32/control.exe", "file:///C:/WINDOWS/explorer.exe",
    "file:///C:/$Recycle.Bin/S-1-5-21-1111111111-2222222222-3333333333-1001", "",
    "file:///C:/Users/user/Documents", "file:///C:/Users/user/Pictures", "", "", "", ""};

std::string ReadGolden(const std::string& name) {
  std::string folder = __FILE__;
  folder.erase(folder.find_last_of("/\\"));
  std::ifstream file(folder + "/../data/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string Replaced(std::string text, std::string_view from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

using testing::RemoveTree;

bool KeyExists(const wchar_t* key) {
  HKEY handle;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

// A Wallpaper value as it was before the test: its text, or nullopt when it did not exist.
std::optional<std::wstring> ReadWallpaper(const wchar_t* key) {
  wchar_t text[1024];
  DWORD size = sizeof text;
  if (RegGetValueW(HKEY_CURRENT_USER, key, L"Wallpaper", RRF_RT_REG_SZ, nullptr, text, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(text);
}

void RestoreWallpaper(const wchar_t* key, const std::optional<std::wstring>& value) {
  if (value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Wallpaper", REG_SZ, value->c_str(),
                    static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
  } else {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"Wallpaper");
  }
}

class TestEnvironment : public Win32Environment {
 public:
  // Follows `programFolder`, which the fixture sets up.
  explicit TestEnvironment(const std::string& programFolder) : programFolder_(programFolder) {}
  std::string ProgramFolder() const override { return programFolder_; }

 private:
  const std::string& programFolder_;
};

class ApplyOnWine : public ::testing::Test {
 protected:
  void SetUp() override {
    // Spaces, an apostrophe and Cyrillic letters: everything MakeLink has to turn into a URL.
    program = Win32Environment().TemporaryFolder() + "\\Мирелла O'Brien " +
              std::to_string(GetCurrentProcessId());
    RemoveTree(Widen(program));
    ASSERT_TRUE(files.CreateDirectories(ThemeFolderPath(program)));

    generalKeyExisted = KeyExists(kWideGeneralKey);
    activeDesktopKeyExisted = KeyExists(kWideActiveDesktopKey);
    oldDesktopWallpaper = ReadWallpaper(kWideDesktopKey);
    oldGeneralWallpaper = ReadWallpaper(kWideGeneralKey);

    const std::string appData = registry.GetStringValue(
        RegistryRoot::kCurrentUser, std::string(kShellFoldersKey), "AppData");
    ASSERT_FALSE(appData.empty()) << "Wine's prefix has an AppData shell folder";
    desktopFolder = appData + "\\Microsoft\\Internet Explorer";
    desktopFile = desktopFolder + "\\Desktop.htt";
    desktopFolderExisted = files.DirectoryExists(desktopFolder);
    if (files.FileExists(desktopFile)) oldDesktopFile = files.ReadFile(desktopFile).value();

    // Default texts and pictures, and the links the golden file was made with.
    SetValues(content, LinkSources{environment, registry, files});
    content.EntryLink = kGoldenLinks;
    content.linkMark.fill(kLinkMarked);
  }

  void TearDown() override {
    RemoveTree(Widen(program));
    RestoreWallpaper(kWideDesktopKey, oldDesktopWallpaper);
    RestoreWallpaper(kWideGeneralKey, oldGeneralWallpaper);
    if (!generalKeyExisted) RegDeleteKeyW(HKEY_CURRENT_USER, kWideGeneralKey);
    if (!activeDesktopKeyExisted) RegDeleteKeyW(HKEY_CURRENT_USER, kWideActiveDesktopKey);
    const std::wstring wideDesktopFile = Widen(desktopFile);
    SetFileAttributesW(wideDesktopFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (oldDesktopFile) {
      files.WriteFileReplacing(desktopFile, *oldDesktopFile);
    } else {
      DeleteFileW(wideDesktopFile.c_str());
    }
    if (!desktopFolderExisted) RemoveDirectoryW(Widen(desktopFolder).c_str());
  }

  ApplyOutcome Run() {
    return Apply(content, ApplyServices{environment, registry, files, codePage});
  }
  std::string File(const std::string& path) {
    auto bytes = files.ReadFile(path);
    return bytes ? bytes.value() : "<missing>";
  }
  std::string Wallpaper(const char* key) {
    return registry.GetStringValue(RegistryRoot::kCurrentUser, key, "Wallpaper");
  }
  // Puts a known old desktop file in place and remembers the wallpaper values as they are.
  void ArrangeOldDesktop() {
    ASSERT_TRUE(files.CreateDirectories(desktopFolder));
    ASSERT_TRUE(files.WriteFileReplacing(desktopFile, "old desktop"));
    ASSERT_TRUE(registry.SetStringValue(RegistryRoot::kCurrentUser, kDesktopKey,
                                        "Wallpaper", "C:\\old.bmp"));
    ASSERT_TRUE(registry.SetStringValue(RegistryRoot::kCurrentUser, kGeneralKey, "Wallpaper",
                                        "C:\\old.htm"));
  }
  void ExpectOldDesktop() {
    EXPECT_EQ(File(desktopFile), "old desktop");
    EXPECT_EQ(Wallpaper(kDesktopKey), "C:\\old.bmp");
    EXPECT_EQ(Wallpaper(kGeneralKey), "C:\\old.htm");
  }

  std::string program;
  std::string desktopFolder;
  std::string desktopFile;
  bool generalKeyExisted = false;
  bool activeDesktopKeyExisted = false;
  bool desktopFolderExisted = false;
  std::optional<std::wstring> oldDesktopWallpaper;
  std::optional<std::wstring> oldGeneralWallpaper;
  std::optional<std::string> oldDesktopFile;

  TestEnvironment environment{program};
  Win32Registry registry;
  Win32FileSystem files;
  SystemCodePage codePage;
  DesktopContent content;
};

TEST_F(ApplyOnWine, InstallsTheDesktopAndReplacesItOnASecondRun) {
  const ApplyOutcome outcome = Run();
  ASSERT_EQ(outcome.result, ApplyResult::kApplied) << outcome.message;

  const std::string themePage = ThemePagePath(program);
  const std::string script = File(DesktopScriptPath(program));
  const std::string page = File(themePage);
  if (GetACP() == 1251) {
    const std::string url = HtmlText(MakeLinkUrl(program), Cp1251());
    EXPECT_EQ(script, Replaced(ReadGolden("desktop_default.js"), kGoldenFolderUrl, url));
    EXPECT_EQ(page, Replaced(ReadGolden("theme_default.htm"), kGoldenFolderUrl, url));
  } else {
    EXPECT_EQ(script, DesktopScript(content, program, codePage));
    EXPECT_EQ(page, ThemePage(program, codePage));
  }
  EXPECT_EQ(File(desktopFile), page);
  EXPECT_EQ(Wallpaper(kDesktopKey), themePage);
  EXPECT_EQ(Wallpaper(kGeneralKey), themePage);

  // The shell may have marked its desktop file hidden and system; it is replaced all the same.
  ASSERT_TRUE(files.WriteFileReplacing(desktopFile, "stale"));
  SetFileAttributesW(Widen(desktopFile).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  content.title = "Второй раз";
  ASSERT_EQ(Run().result, ApplyResult::kApplied);
  EXPECT_EQ(File(desktopFile), page);
  EXPECT_EQ(File(DesktopScriptPath(program)), DesktopScript(content, program, codePage));
}

TEST_F(ApplyOnWine, RefusalTouchesNothing) {
  ASSERT_NO_FATAL_FAILURE(ArrangeOldDesktop());
  content.linkMark[4] = kLinkUnmarked;
  EXPECT_EQ(Run().result, ApplyResult::kRefused);
  EXPECT_FALSE(files.FileExists(DesktopScriptPath(program)));
  EXPECT_FALSE(files.FileExists(ThemePagePath(program)));
  ExpectOldDesktop();
}

TEST_F(ApplyOnWine, AMissingThemeFolderChangesNothing) {
  ASSERT_NO_FATAL_FAILURE(ArrangeOldDesktop());
  RemoveTree(Widen(program + "\\Themes"));
  const ApplyOutcome outcome = Run();
  EXPECT_EQ(outcome.result, ApplyResult::kFailed);
  EXPECT_NE(outcome.message.find(ThemePagePath(program)), std::string::npos) << outcome.message;
  EXPECT_FALSE(files.FileExists(DesktopScriptPath(program)));
  ExpectOldDesktop();
}

// A file another program holds open without sharing cannot be replaced.
class HeldOpen {
 public:
  explicit HeldOpen(const std::string& path)
      : handle_(CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldOpen() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

TEST_F(ApplyOnWine, AnUnwritableDesktopFileLeavesItAndTheRegistryAsTheyWere) {
  ASSERT_NO_FATAL_FAILURE(ArrangeOldDesktop());
  ApplyOutcome outcome;
  {
    const HeldOpen lock(desktopFile);
    ASSERT_TRUE(lock.held());
    outcome = Run();
  }
  EXPECT_EQ(outcome.result, ApplyResult::kFailed);
  EXPECT_NE(outcome.message.find(desktopFile), std::string::npos) << outcome.message;
  ExpectOldDesktop();
}

TEST_F(ApplyOnWine, AnUnwritableScriptLeavesTheOldOne) {
  ASSERT_NO_FATAL_FAILURE(ArrangeOldDesktop());
  ASSERT_TRUE(files.WriteFileReplacing(DesktopScriptPath(program), "old script"));
  ApplyOutcome outcome;
  {
    const HeldOpen lock(DesktopScriptPath(program));
    ASSERT_TRUE(lock.held());
    outcome = Run();
  }
  EXPECT_EQ(outcome.result, ApplyResult::kFailed);
  EXPECT_NE(outcome.message.find(DesktopScriptPath(program)), std::string::npos) << outcome.message;
  EXPECT_EQ(File(DesktopScriptPath(program)), "old script");
  ExpectOldDesktop();
}

}  // namespace
}  // namespace mirella
