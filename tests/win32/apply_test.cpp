// Apply and Restore end to end under Wine: a temporary program folder, the real registry, the
// real application-data folder, the real shell. Whatever the test changes there is put back
// afterwards.

#include "install/apply.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "content/default_content.h"
#include "generate/code_page_win32.h"
#include "generate/cp1251.h"
#include "generate/desktop_script.h"
#include "generate/encoded_text.h"
#include "generate/theme_page.h"
#include "install/desktop_places.h"
#include "install/restore.h"
#include "support/solid_bmp.h"
#include "system/desktop_shell_win32.h"
#include "system/environment_win32.h"
#include "system/file_system_win32.h"
#include "system/registry_win32.h"
#include "win32/handles.h"
#include "win32/remove_tree.h"
#include "win32/wide_text.h"

namespace mirella {
namespace {

constexpr const char* kDesktopKey = "Control Panel\\Desktop";
constexpr const char* kGeneralKey = "Software\\Microsoft\\Internet Explorer\\Desktop\\General";
constexpr const wchar_t* kWideGeneralKey = L"Software\\Microsoft\\Internet Explorer\\Desktop\\General";
constexpr const wchar_t* kWideActiveDesktopKey = L"Software\\Microsoft\\Internet Explorer\\Desktop";
constexpr const char* kPolicyKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr const wchar_t* kWidePolicyKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
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

// The values the tests change, kept raw at the start and put back at the end.
constexpr std::array<std::pair<const char*, const char*>, 4> kDesktopValues = {{
    {kDesktopKey, "Wallpaper"},
    {kDesktopKey, "WallpaperStyle"},
    {kDesktopKey, "TileWallpaper"},
    {kGeneralKey, "Wallpaper"},
}};

// The page desktop of Windows XP, on Wine, which shows pictures only: the registry and files
// change as they would there, and the Active Desktop call is made for real.
class PageDesktopShell : public Win32DesktopShell {
 public:
  DesktopKind Kind() const override { return DesktopKind::kPage; }
};

// Draws the desktop as a real picture of one colour.
class SolidPicture : public DesktopPicture {
 public:
  Result<DrawnDesktop> Draw(const DesktopContent&, const std::string&,
                            const std::vector<MonitorWallpaper>&, int) const override {
    return DrawnDesktop{PictureArrangement::kSingle, "bmp", {{"", Bmp()}}};
  }
  std::string Bmp() const { return testing::SolidBmp(64, 48, red, 0x40, 0x80); }
  std::uint8_t red = 0x20;
};

// The wallpaper the system reports, its variables expanded (Wine reports the registry's value
// as it stands).
std::string ShownWallpaper() {
  wchar_t path[MAX_PATH] = L"";
  wchar_t expanded[MAX_PATH] = L"";
  SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
  ExpandEnvironmentStringsW(path, expanded, MAX_PATH);
  return Narrow(expanded);
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
    oldShownWallpaper = ShownWallpaper();
    for (const auto& [key, name] : kDesktopValues) {
      auto value = registry.ReadValue(RegistryRoot::kCurrentUser, key, name);
      ASSERT_TRUE(value.ok()) << value.message();
      oldValues.push_back(value.value());
    }

    const std::string appData = registry.GetStringValue(
        RegistryRoot::kCurrentUser, std::string(kShellFoldersKey), "AppData");
    ASSERT_FALSE(appData.empty()) << "Wine's prefix has an AppData shell folder";
    desktopFolder = appData + "\\Microsoft\\Internet Explorer";
    desktopFile = desktopFolder + "\\Desktop.htt";
    desktopFolderExisted = files.DirectoryExists(desktopFolder);
    if (files.FileExists(desktopFile)) oldDesktopFile = files.ReadFile(desktopFile).value();
    dataFolder = appData + "\\Mirella";
    savedDesktop = dataFolder + "\\previous desktop.dat";
    picturePath = dataFolder + "\\desktop.bmp";
    const std::string localAppData = LocalAppDataFolder(environment, registry);
    ASSERT_FALSE(localAppData.empty()) << "Wine's prefix has a local application-data folder";
    ASSERT_NE(localAppData, appData);
    pictureFolder = localAppData + "\\Mirella";
    pictureFolderExisted = files.DirectoryExists(pictureFolder);
    drawnPictures = {pictureFolder + "\\desktop-1-0.bmp", pictureFolder + "\\desktop-2-0.bmp"};
    pictureCopy = dataFolder + "\\previous wallpaper.bmp";
    shellCopy = appData + "\\Microsoft\\Windows\\Themes\\TranscodedWallpaper";
    ASSERT_FALSE(files.FileExists(shellCopy)) << "Wine keeps no copy of its own";
    policyKeyExisted = KeyExists(kWidePolicyKey);
    dataFolderExisted = files.DirectoryExists(dataFolder);
    for (const std::string& path : {savedDesktop, picturePath}) {
      if (files.FileExists(path)) oldDataFiles.emplace_back(path, files.ReadFile(path).value());
      ASSERT_TRUE(files.RemoveFile(path));
    }

    // Default texts and pictures, and the links the golden file was made with.
    SetValues(content, LinkSources{environment, registry, files});
    content.EntryLink = kGoldenLinks;
    content.linkMark.fill(kLinkMarked);
  }

  void TearDown() override {
    RemoveTree(Widen(program));
    Win32DesktopShell().SetPictureWallpaper(oldShownWallpaper);
    for (std::size_t i = 0; i < oldValues.size(); ++i) {
      const auto& [key, name] = kDesktopValues[i];
      if (oldValues[i]) {
        registry.WriteValue(RegistryRoot::kCurrentUser, key, name, *oldValues[i]);
      } else {
        registry.DeleteValue(RegistryRoot::kCurrentUser, key, name);
      }
    }
    SetFileAttributesW(Widen(savedDesktop).c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const std::string& path : {savedDesktop, picturePath, pictureCopy, shellCopy}) {
      files.RemoveFile(path);
    }
    if (!policyKeyExisted) RegDeleteKeyW(HKEY_CURRENT_USER, kWidePolicyKey);
    for (const auto& [path, bytes] : oldDataFiles) files.WriteFileReplacing(path, bytes);
    if (!dataFolderExisted) RemoveDirectoryW(Widen(dataFolder).c_str());
    for (const std::string& path : drawnPictures) files.RemoveFile(path);
    if (!pictureFolderExisted) RemoveDirectoryW(Widen(pictureFolder).c_str());
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
    return Apply(content,
                 ApplyServices{environment, registry, files, codePage, pageShell, picture});
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
  std::string dataFolder;
  std::string savedDesktop;
  std::string picturePath;  // where an earlier version kept its one picture
  std::string pictureFolder;
  bool pictureFolderExisted = false;
  std::vector<std::string> drawnPictures;  // the first and second Apply's
  std::string pictureCopy;
  std::string shellCopy;
  bool dataFolderExisted = false;
  bool policyKeyExisted = false;
  std::string oldShownWallpaper;
  std::vector<std::optional<RegistryValue>> oldValues;
  std::vector<std::pair<std::string, std::string>> oldDataFiles;
  std::optional<std::string> oldDesktopFile;

  TestEnvironment environment{program};
  Win32Registry registry;
  Win32FileSystem files;
  SystemCodePage codePage;
  PageDesktopShell pageShell;
  SolidPicture picture;
  DesktopContent content;
};

TEST_F(ApplyOnWine, InstallsTheDesktopAndReplacesItOnASecondRun) {
  const ApplyOutcome outcome = Run();
  ASSERT_EQ(outcome.result, ApplyResult::kApplied) << outcome.failure.message();

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
  EXPECT_TRUE(outcome.pageNotShown) << "Wine's web desktop answers E_NOTIMPL: the refused path";

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
  EXPECT_NE(outcome.failure.message().find(ThemePagePath(program)), std::string::npos)
      << outcome.failure.message();
  EXPECT_FALSE(files.FileExists(DesktopScriptPath(program)));
  ExpectOldDesktop();
}

// A wallpaper named by policy is a plain value of the real registry: Apply changes nothing.
TEST_F(ApplyOnWine, AWallpaperPolicyStopsApplyBeforeAnyChange) {
  ASSERT_NO_FATAL_FAILURE(ArrangeOldDesktop());
  ASSERT_TRUE(registry.SetStringValue(RegistryRoot::kCurrentUser, kPolicyKey, "Wallpaper",
                                      "C:\\corporate.bmp"));
  const ApplyOutcome outcome = Run();
  registry.DeleteValue(RegistryRoot::kCurrentUser, kPolicyKey, "Wallpaper");
  EXPECT_EQ(outcome.result, ApplyResult::kFixedByPolicy);
  EXPECT_EQ(outcome.policy, std::string("HKEY_CURRENT_USER\\") + kPolicyKey + "\\Wallpaper");
  EXPECT_FALSE(files.FileExists(DesktopScriptPath(program)));
  EXPECT_FALSE(files.FileExists(savedDesktop));
  ExpectOldDesktop();
}

// A file another program holds open. Without FILE_SHARE_DELETE it cannot be replaced; without
// FILE_SHARE_READ it cannot be read.
class HeldOpen {
 public:
  HeldOpen(const std::string& path, DWORD share)
      : file_(CreateFileW(Widen(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  bool held() const { return static_cast<bool>(file_); }

 private:
  UniqueFile file_;
};

TEST_F(ApplyOnWine, AnUnwritableDesktopFileLeavesItAndTheRegistryAsTheyWere) {
  ASSERT_NO_FATAL_FAILURE(ArrangeOldDesktop());
  ApplyOutcome outcome;
  {
    const HeldOpen lock(desktopFile, FILE_SHARE_READ);
    ASSERT_TRUE(lock.held());
    outcome = Run();
  }
  EXPECT_EQ(outcome.result, ApplyResult::kFailed);
  EXPECT_NE(outcome.failure.message().find(desktopFile), std::string::npos)
      << outcome.failure.message();
  EXPECT_TRUE(outcome.notRestored.empty());
  EXPECT_FALSE(files.FileExists(DesktopScriptPath(program))) << "the new script is taken back";
  ExpectOldDesktop();
}

// A script that could be replaced but not read could not be put back: Apply writes nothing.
TEST_F(ApplyOnWine, AnUnreadableScriptStopsApplyBeforeAnyChange) {
  ASSERT_NO_FATAL_FAILURE(ArrangeOldDesktop());
  ASSERT_TRUE(files.WriteFileReplacing(DesktopScriptPath(program), "old script"));
  ApplyOutcome outcome;
  {
    const HeldOpen lock(DesktopScriptPath(program), FILE_SHARE_DELETE | FILE_SHARE_WRITE);
    ASSERT_TRUE(lock.held());
    outcome = Run();
  }
  EXPECT_EQ(outcome.result, ApplyResult::kFailed);
  EXPECT_NE(outcome.failure.message().find(DesktopScriptPath(program)), std::string::npos)
      << outcome.failure.message();
  EXPECT_EQ(File(DesktopScriptPath(program)), "old script");
  ExpectOldDesktop();
}

// Denies setting values under a key while it lives, as a policy would; the key's own access
// rules come back afterwards.
class DeniedKey {
 public:
  explicit DeniedKey(const wchar_t* path) {
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, READ_CONTROL | WRITE_DAC, nullptr,
                        key_.Put(), nullptr) != ERROR_SUCCESS) {
      return;
    }
    DWORD size = 0;
    RegGetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, nullptr, &size);
    old_.resize(size);
    if (RegGetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, old_.data(), &size) !=
        ERROR_SUCCESS) {
      return;
    }
    LocalMemory<void> denying;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:(D;;0x2;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1, denying.Put(), nullptr)) {
      denied_ = RegSetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, denying.Get()) ==
                ERROR_SUCCESS;
    }
  }
  DeniedKey(const DeniedKey&) = delete;
  DeniedKey& operator=(const DeniedKey&) = delete;
  ~DeniedKey() {
    if (denied_) RegSetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, old_.data());
  }
  bool denied() const { return denied_; }

 private:
  UniqueKey key_;
  std::vector<BYTE> old_;
  bool denied_ = false;
};

// The first wallpaper value comes back exactly when the second cannot be written: a
// REG_EXPAND_SZ value unexpanded and with its type, an absent value absent.
TEST_F(ApplyOnWine, ADeniedSecondValueRestoresTheFirstExactly) {
  ASSERT_NO_FATAL_FAILURE(ArrangeOldDesktop());
  const std::wstring expandable = L"%SystemRoot%\\old.bmp";
  const RegistryValue old{REG_EXPAND_SZ,
                          std::string(reinterpret_cast<const char*>(expandable.c_str()),
                                      (expandable.size() + 1) * sizeof(wchar_t))};
  ASSERT_TRUE(registry.WriteValue(RegistryRoot::kCurrentUser, kDesktopKey, "Wallpaper", old));
  const DeniedKey denied(kWideGeneralKey);
  ASSERT_TRUE(denied.denied());

  const ApplyOutcome outcome = Run();
  EXPECT_EQ(outcome.result, ApplyResult::kFailed);
  EXPECT_NE(outcome.failure.message().find(kGeneralKey), std::string::npos)
      << outcome.failure.message();
  EXPECT_TRUE(outcome.notRestored.empty());
  auto restored = registry.ReadValue(RegistryRoot::kCurrentUser, kDesktopKey, "Wallpaper");
  ASSERT_TRUE(restored.ok() && restored.value().has_value());
  EXPECT_EQ(*restored.value(), old);
  EXPECT_EQ(File(desktopFile), "old desktop");

  ASSERT_TRUE(registry.DeleteValue(RegistryRoot::kCurrentUser, kDesktopKey, "Wallpaper"));
  EXPECT_EQ(Run().result, ApplyResult::kFailed);
  auto absent = registry.ReadValue(RegistryRoot::kCurrentUser, kDesktopKey, "Wallpaper");
  ASSERT_TRUE(absent.ok());
  EXPECT_FALSE(absent.value().has_value());
}

// Holds desktop.js open without sharing from the moment Apply copies the desktop file, so that
// putting the old script back fails as it would under a virus scanner or an editor.
class ScriptHeldDuringCopy : public Win32FileSystem {
 public:
  explicit ScriptHeldDuringCopy(std::string script) : script_(std::move(script)) {}
  Status CopyFileReplacing(const std::string& source, const std::string& target) override {
    lock_.emplace(script_, 0);
    return Win32FileSystem::CopyFileReplacing(source, target);
  }
  void Release() { lock_.reset(); }

 private:
  std::string script_;
  std::optional<HeldOpen> lock_;
};

TEST_F(ApplyOnWine, AFailedRestoreSaysWhatKeepsTheNewContent) {
  ASSERT_NO_FATAL_FAILURE(ArrangeOldDesktop());
  ASSERT_TRUE(files.WriteFileReplacing(DesktopScriptPath(program), "old script"));
  ScriptHeldDuringCopy holding(DesktopScriptPath(program));
  ApplyOutcome outcome;
  {
    const HeldOpen lock(desktopFile, FILE_SHARE_READ);
    ASSERT_TRUE(lock.held());
    outcome = Apply(content,
                    ApplyServices{environment, registry, holding, codePage, pageShell, picture});
  }
  holding.Release();
  EXPECT_EQ(outcome.result, ApplyResult::kFailed);
  ASSERT_EQ(outcome.notRestored.size(), 1u);
  EXPECT_EQ(outcome.notRestored[0].item, AppliedItem::kDesktopScript);
  EXPECT_NE(outcome.notRestored[0].reason.message().find(DesktopScriptPath(program)),
            std::string::npos)
      << outcome.notRestored[0].reason.message();
  EXPECT_EQ(File(DesktopScriptPath(program)), DesktopScript(content, program, codePage));
  ExpectOldDesktop();
}

// A string value as the registry holds it: UTF-16 with its terminating NUL.
RegistryValue WideValue(DWORD type, const std::wstring& text) {
  return {type, std::string(reinterpret_cast<const char*>(text.c_str()),
                            (text.size() + 1) * sizeof(wchar_t))};
}

// Wine reports Windows 7, whose desktop shows pictures only: the drawn desktop becomes the
// wallpaper the shell shows, and Restore brings back the picture before it, with every value as
// it was: an expandable path, a value that did not exist, a plain string.
TEST_F(ApplyOnWine, AsWindows7TheDrawnDesktopIsShownAndRestoreBringsBackTheOldPicture) {
  Win32DesktopShell shell;
  ASSERT_EQ(shell.Kind(), DesktopKind::kPicture) << "Wine reports Windows 7 unless told otherwise";
  ASSERT_NO_FATAL_FAILURE(ArrangeOldDesktop());
  const std::string oldPicture = program + "\\old.bmp";
  ASSERT_TRUE(files.WriteFileReplacing(oldPicture, testing::SolidBmp(8, 8, 0xff, 0, 0)));
  ASSERT_TRUE(SetEnvironmentVariableW(L"MIRELLA_OLD_PICTURES", Widen(program).c_str()));
  ASSERT_TRUE(shell.SetPictureWallpaper(oldPicture));
  const RegistryValue oldWallpaper = WideValue(REG_EXPAND_SZ, L"%MIRELLA_OLD_PICTURES%\\old.bmp");
  const RegistryValue oldTile = WideValue(REG_SZ, L"1");
  ASSERT_TRUE(
      registry.WriteValue(RegistryRoot::kCurrentUser, kDesktopKey, "Wallpaper", oldWallpaper));
  ASSERT_TRUE(registry.DeleteValue(RegistryRoot::kCurrentUser, kDesktopKey, "WallpaperStyle"));
  ASSERT_TRUE(
      registry.WriteValue(RegistryRoot::kCurrentUser, kDesktopKey, "TileWallpaper", oldTile));
  auto applyAsWindows7 = [&] {
    return Apply(content, ApplyServices{environment, registry, files, codePage, shell, picture});
  };

  ASSERT_TRUE(files.CreateDirectories(dataFolder));
  ASSERT_TRUE(files.WriteFileReplacing(picturePath, "BM an earlier version's"));
  const ApplyOutcome outcome = applyAsWindows7();
  ASSERT_EQ(outcome.result, ApplyResult::kApplied) << outcome.failure.message();
  EXPECT_EQ(File(drawnPictures[0]), picture.Bmp());
  EXPECT_EQ(ShownWallpaper(), drawnPictures[0]);
  EXPECT_EQ(Wallpaper(kDesktopKey), drawnPictures[0]);
  EXPECT_FALSE(files.FileExists(picturePath));
  EXPECT_EQ(Wallpaper(kGeneralKey), ThemePagePath(program));
  auto text = [&](const char* name) {
    return registry.GetStringValue(RegistryRoot::kCurrentUser, kDesktopKey, name);
  };
  EXPECT_EQ(text("WallpaperStyle"), "2");
  EXPECT_EQ(text("TileWallpaper"), "0");
  EXPECT_EQ(File(desktopFile), File(ThemePagePath(program)));

  // A second Apply draws anew and keeps the first saved desktop.
  const std::string saved = File(savedDesktop);
  picture.red = 0xc0;
  ASSERT_EQ(applyAsWindows7().result, ApplyResult::kApplied);
  EXPECT_EQ(File(savedDesktop), saved);
  EXPECT_EQ(File(drawnPictures[1]), picture.Bmp());
  EXPECT_EQ(ShownWallpaper(), drawnPictures[1]);
  EXPECT_FALSE(files.FileExists(drawnPictures[0]));

  // A read-only saved file is no reason to fail once everything is back.
  ASSERT_TRUE(SetFileAttributesW(Widen(savedDesktop).c_str(), FILE_ATTRIBUTE_READONLY));
  const RestoreOutcome restored = Restore(RestoreServices{environment, registry, files, shell});
  ASSERT_EQ(restored.result, RestoreResult::kRestored)
      << (restored.notRestored.empty() ? restored.failure.message()
                                       : restored.notRestored[0].reason.message());
  EXPECT_EQ(ShownWallpaper(), oldPicture);
  auto value = [&](const char* key, const char* name) {
    return registry.ReadValue(RegistryRoot::kCurrentUser, key, name).value();
  };
  EXPECT_EQ(value(kDesktopKey, "Wallpaper"), oldWallpaper);
  EXPECT_EQ(value(kDesktopKey, "WallpaperStyle"), std::nullopt);
  EXPECT_EQ(value(kDesktopKey, "TileWallpaper"), oldTile);
  EXPECT_EQ(Wallpaper(kGeneralKey), "C:\\old.htm");
  EXPECT_EQ(File(desktopFile), "old desktop");
  EXPECT_FALSE(files.FileExists(savedDesktop));
  EXPECT_EQ(Restore(RestoreServices{environment, registry, files, shell}).result,
            RestoreResult::kNothingSaved);
}

// The user's picture file is gone while the shell shows its own copy of it (Windows 8 and later
// keep one in the roaming profile; Wine does not, so the test puts one there). Apply keeps a copy
// beside the saved desktop, and Restore shows it and puts the value back naming the lost file.
// Wine has no slideshow.
TEST_F(ApplyOnWine, AsWindows7APictureWhoseFileIsGoneComesBackFromTheShellsCopy) {
  Win32DesktopShell shell;
  ASSERT_TRUE(shell.GetSlideshowState().ok());
  EXPECT_FALSE(shell.GetSlideshowState().value().running);
  ASSERT_NO_FATAL_FAILURE(ArrangeOldDesktop());
  const std::string lost = program + "\\lost.bmp";
  const std::string seen = testing::SolidBmp(8, 8, 0, 0xff, 0);
  ASSERT_TRUE(files.WriteFileReplacing(lost, seen));
  ASSERT_TRUE(shell.SetPictureWallpaper(lost));
  ASSERT_TRUE(files.RemoveFile(lost));
  ASSERT_TRUE(files.CreateDirectories(shellCopy.substr(0, shellCopy.rfind('\\'))));
  ASSERT_TRUE(files.WriteFileReplacing(shellCopy, seen));

  const ApplyOutcome outcome =
      Apply(content, ApplyServices{environment, registry, files, codePage, shell, picture});
  ASSERT_EQ(outcome.result, ApplyResult::kApplied) << outcome.failure.message();
  EXPECT_EQ(File(pictureCopy), seen);
  ASSERT_TRUE(files.WriteFileReplacing(shellCopy, File(drawnPictures[0])));  // as Windows would

  const RestoreOutcome restored = Restore(RestoreServices{environment, registry, files, shell});
  ASSERT_EQ(restored.result, RestoreResult::kRestored)
      << (restored.notRestored.empty() ? restored.failure.message()
                                       : restored.notRestored[0].reason.message());
  EXPECT_EQ(Wallpaper(kDesktopKey), lost);
  EXPECT_FALSE(files.FileExists(pictureCopy));
  EXPECT_FALSE(files.FileExists(savedDesktop));
}

}  // namespace
}  // namespace mirella
