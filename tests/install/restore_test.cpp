// Apply's two desktops and Restore, on the fakes: the saved previous desktop is written once,
// comes back exactly, and is never trusted when damaged or foreign.

#include "install/restore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "content/links.h"
#include "fakes/fake_desktop_shell.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"
#include "generate/cp1251.h"
#include "generate/test_content.h"
#include "generate/theme_page.h"
#include "install/install_test_places.h"
#include "install/previous_desktop.h"
#include "install/shown_pictures.h"

namespace mirella {
namespace {

using testing::FakeDesktopPicture;
using testing::FakeDesktopShell;
using testing::FakeEnvironment;
using testing::FakeFileSystem;
using testing::FakeRegistry;
using testing::FullyLinkedTestContent;

constexpr const char* kSaved = "C:\\Users\\user\\AppData\\Roaming\\Mirella\\previous desktop.dat";
// The drawn pictures, in the local folder; an earlier version's single picture in the roaming one.
constexpr const char* kPicture = "C:\\Users\\user\\AppData\\Local\\Mirella\\desktop-1-0.bmp";
constexpr const char* kSecondPicture =
    "C:\\Users\\user\\AppData\\Local\\Mirella\\desktop-2-0.bmp";
constexpr const char* kEarlierPicture = "C:\\Users\\user\\AppData\\Roaming\\Mirella\\desktop.bmp";
constexpr const char* kDesktop = "Control Panel\\Desktop";
constexpr const char* kGeneral = "Software\\Microsoft\\Internet Explorer\\Desktop\\General";
constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";

RegistryValue Dword(char value) { return {4, std::string{value, 0, 0, 0}}; }

// The user's own desktop: an expandable picture path, a style, no TileWallpaper value at all,
// and a hidden, system Desktop.htt.
const RegistryValue kOldWallpaper{2, "%SystemRoot%\\old.bmp"};
const RegistryValue kOldStyle{1, "0"};
const RegistryValue kOldPage{1, "C:\\old.htm"};
constexpr std::uint32_t kHiddenSystem = 0x6;

class RestoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry.Put(std::string(kShellFoldersKey), "AppData", kAppData);
    Write(kDesktop, "Wallpaper", kOldWallpaper);
    Write(kDesktop, "WallpaperStyle", kOldStyle);
    Write(kGeneral, "Wallpaper", kOldPage);
    files.AddFile(kThemePage, ThemePage(kProgram, codePage));
    files.AddFile(kDesktopFile, "old desktop");
    EXPECT_TRUE(files.WriteAttributes(kDesktopFile, kHiddenSystem));
    shell.registry = &registry;
  }

  void Write(const char* key, const char* name, const RegistryValue& value) {
    ASSERT_TRUE(registry.WriteValue(RegistryRoot::kCurrentUser, key, name, value));
  }
  std::optional<RegistryValue> Value(const char* key, const char* name) const {
    return registry.ReadValue(RegistryRoot::kCurrentUser, key, name).value();
  }
  std::string File(const std::string& path) const {
    auto bytes = files.ReadFile(path);
    return bytes ? bytes.value() : "<missing>";
  }
  ApplyOutcome RunApply(const DesktopContent& content = FullyLinkedTestContent()) {
    return Apply(content, ApplyServices{environment, registry, files, codePage, shell, picture});
  }
  RestoreOutcome RunRestore() {
    return Restore(RestoreServices{environment, registry, files, shell});
  }
  void ExpectOldDesktop() const {
    EXPECT_EQ(Value(kDesktop, "Wallpaper"), kOldWallpaper);
    EXPECT_EQ(Value(kDesktop, "WallpaperStyle"), kOldStyle);
    EXPECT_EQ(Value(kDesktop, "TileWallpaper"), std::nullopt);
    EXPECT_EQ(Value(kGeneral, "Wallpaper"), kOldPage);
    EXPECT_EQ(Value(kRun, "Mirella"), std::nullopt);
    EXPECT_EQ(File(kDesktopFile), "old desktop");
    EXPECT_EQ(files.ReadAttributes(kDesktopFile).value(), kHiddenSystem);
  }

  FakeEnvironment environment;
  FakeRegistry registry;
  FakeFileSystem files;
  Cp1251 codePage;
  FakeDesktopShell shell{DesktopKind::kPicture};
  FakeDesktopPicture picture;
};

TEST_F(RestoreTest, PictureDesktopIsAppliedAndTheFirstSavedDesktopComesBackExactly) {
  files.AddFile(kEarlierPicture, "BM earlier version's");
  ASSERT_EQ(RunApply().result, ApplyResult::kApplied);
  EXPECT_FALSE(files.FileExists(kEarlierPicture));
  EXPECT_EQ(File(kPicture), picture.bytes);
  EXPECT_EQ(shell.shownPictures, std::vector<std::string>{kPicture});
  EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, kDesktop, "Wallpaper"), kPicture);
  EXPECT_EQ(Value(kDesktop, "WallpaperStyle"), (RegistryValue{1, "2"}));
  EXPECT_EQ(Value(kDesktop, "TileWallpaper"), (RegistryValue{1, "0"}));
  EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, kGeneral, "Wallpaper"), kThemePage);
  EXPECT_EQ(File(kDesktopFile), File(kThemePage));
  EXPECT_EQ(shell.pageRefreshes, 0);
  // The layer that makes the links work runs now and at every logon.
  EXPECT_EQ(Value(kRun, "Mirella"),
            (RegistryValue{1, "\"C:\\Program Files\\Mirella\\desktop.exe\" /layer"}));
  EXPECT_EQ(shell.layerStarts, std::vector<std::string>{kProgram});

  // A second Apply keeps the first saved desktop: restoring must not bring back its own. Its
  // picture, over several monitors now, replaces the first under the other name, tiled.
  const std::string saved = File(kSaved);
  picture.bytes = "BM second picture";
  picture.spanned = true;
  ASSERT_EQ(RunApply().result, ApplyResult::kApplied);
  EXPECT_EQ(File(kSaved), saved);
  EXPECT_EQ(File(kSecondPicture), "BM second picture");
  EXPECT_FALSE(files.FileExists(kPicture));
  EXPECT_EQ(shell.shownPictures.back(), kSecondPicture);
  EXPECT_EQ(Value(kDesktop, "WallpaperStyle"), (RegistryValue{1, "0"}));
  EXPECT_EQ(Value(kDesktop, "TileWallpaper"), (RegistryValue{1, "1"}));

  const RestoreOutcome restored = RunRestore();
  EXPECT_EQ(restored.result, RestoreResult::kRestored);
  EXPECT_TRUE(restored.notRestored.empty());
  // The shell was shown the old picture (the real registry would expand the path), and the
  // value it rewrote as REG_SZ is back as REG_EXPAND_SZ.
  EXPECT_EQ(shell.shownPictures.back(), kOldWallpaper.data);
  ExpectOldDesktop();
  EXPECT_FALSE(shell.layerRuns);
  EXPECT_FALSE(files.FileExists(kSaved));
  EXPECT_EQ(RunRestore().result, RestoreResult::kNothingSaved);
}

TEST_F(RestoreTest, PageDesktopPointsBothValuesAtThePageAndRestoresThem) {
  shell.kind = DesktopKind::kPage;
  shell.pageRefreshWorks = false;  // a shell without the page desktop: not a failure
  ASSERT_TRUE(files.RemoveFile(kDesktopFile));
  ASSERT_EQ(RunApply().result, ApplyResult::kApplied);
  EXPECT_EQ(shell.pageRefreshes, 1);
  EXPECT_TRUE(shell.shownPictures.empty());
  EXPECT_FALSE(files.FileExists(kPicture));
  EXPECT_EQ(Value(kRun, "Mirella"), std::nullopt) << "the page desktop needs no layer";
  EXPECT_TRUE(shell.layerStarts.empty());
  EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, kDesktop, "Wallpaper"), kThemePage);
  EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, kGeneral, "Wallpaper"), kThemePage);

  EXPECT_EQ(RunRestore().result, RestoreResult::kRestored);
  EXPECT_EQ(shell.pageRefreshes, 2);
  EXPECT_EQ(Value(kDesktop, "Wallpaper"), kOldWallpaper);
  EXPECT_EQ(Value(kGeneral, "Wallpaper"), kOldPage);
  EXPECT_FALSE(files.FileExists(kDesktopFile)) << "there was no Desktop.htt before";
}

// A picture the shell refuses fails Apply: everything is put back, the old picture shown again,
// and the saved desktop goes, since the desktop is the user's own again.
TEST_F(RestoreTest, ARefusedPictureRollsEverythingBack) {
  shell.refusedPicture = kPicture;
  const ApplyOutcome outcome = RunApply();
  EXPECT_EQ(outcome.result, ApplyResult::kFailed);
  EXPECT_NE(outcome.failure.message().find("рисунок"), std::string::npos);
  EXPECT_TRUE(outcome.notRestored.empty());
  EXPECT_EQ(shell.shownPictures, (std::vector<std::string>{kPicture, kOldWallpaper.data}));
  EXPECT_FALSE(files.FileExists(kPicture));
  EXPECT_FALSE(files.FileExists(kSaved));
  ExpectOldDesktop();

  shell.refusedPicture = "<none>";
  picture.fail = true;  // drawing fails before anything changes
  EXPECT_EQ(RunApply().result, ApplyResult::kFailed);
  EXPECT_EQ(shell.shownPictures.size(), 2u);
  EXPECT_FALSE(files.FileExists(kSaved));
  ExpectOldDesktop();
}

// One value that cannot be written: the rest is put back, the report names both sides, and the
// saved desktop stays for another try, which then succeeds.
TEST_F(RestoreTest, AFailureHalfWayKeepsTheSavedDesktopForAnotherTry) {
  ASSERT_EQ(RunApply().result, ApplyResult::kApplied);
  registry.deniedKeys.insert(kGeneral);
  const RestoreOutcome outcome = RunRestore();
  EXPECT_EQ(outcome.result, RestoreResult::kFailed);
  ASSERT_EQ(outcome.notRestored.size(), 1u);
  EXPECT_EQ(outcome.notRestored[0].item, AppliedItem::kPageWallpaper);
  EXPECT_NE(outcome.notRestored[0].reason.message().find(kGeneral), std::string::npos);
  EXPECT_EQ(outcome.restored,
            (std::vector<AppliedItem>{AppliedItem::kDesktopFile, AppliedItem::kDesktopWallpaper,
                                      AppliedItem::kWallpaperStyle, AppliedItem::kTileWallpaper,
                                      AppliedItem::kShownDesktop, AppliedItem::kLayerStartup}));
  EXPECT_TRUE(files.FileExists(kSaved));

  registry.deniedKeys.clear();
  EXPECT_EQ(RunRestore().result, RestoreResult::kRestored);
  ExpectOldDesktop();
}

// A saved file cut short, with one bit changed, or of another origin is never used; Apply, which
// could never restore from it, replaces it with the desktop as it is.
TEST_F(RestoreTest, ADamagedOrForeignSavedFileIsNeverTrusted) {
  ASSERT_EQ(RunApply().result, ApplyResult::kApplied);
  const std::string good = File(kSaved);
  std::string flipped = good;
  flipped[flipped.size() / 2] ^= 0x01;
  for (const std::string& bad : {good.substr(0, good.size() - 1), flipped, std::string(""),
                                 "Mirella previous desktop\x1a" + good.substr(25, 4)}) {
    files.AddFile(kSaved, bad);
    const int writesBefore = registry.writeCount;
    EXPECT_EQ(RunRestore().result, RestoreResult::kUntrusted);
    EXPECT_EQ(registry.writeCount, writesBefore);
    EXPECT_EQ(File(kSaved), bad);
  }
  ASSERT_EQ(RunApply().result, ApplyResult::kApplied);
  EXPECT_NE(File(kSaved), good) << "replaced by the desktop as it is now";
  EXPECT_EQ(RunRestore().result, RestoreResult::kRestored);
}

// XP's default profile has the web desktop off: Apply switches it on, Restore off again. Where a
// policy forbids it or the shell refuses, the page is installed all the same and the outcome
// says that it is not shown.
TEST_F(RestoreTest, PageDesktopSwitchesTheWebDesktopOnAndRestoreSwitchesItBack) {
  shell.kind = DesktopKind::kPage;
  const WebDesktopOptions off;
  ASSERT_EQ(shell.webDesktop, off);
  ApplyOutcome applied = RunApply();
  ASSERT_EQ(applied.result, ApplyResult::kApplied);
  EXPECT_FALSE(applied.pageNotShown);
  EXPECT_EQ(shell.webDesktop, (WebDesktopOptions{true, true}));
  ASSERT_EQ(RunRestore().result, RestoreResult::kRestored);
  EXPECT_EQ(shell.webDesktop, off);
  ExpectOldDesktop();

  const std::string explorer = kPolicies + "Explorer";
  ASSERT_TRUE(registry.WriteValue(RegistryRoot::kLocalMachine, explorer, "NoActiveDesktop",
                                  Dword(1)));
  applied = RunApply();
  ASSERT_EQ(applied.result, ApplyResult::kApplied);
  EXPECT_TRUE(applied.pageNotShown);
  EXPECT_EQ(shell.webDesktop, off) << "the shell is not asked under the policy";
  EXPECT_EQ(registry.GetStringValue(RegistryRoot::kCurrentUser, kGeneral, "Wallpaper"), kThemePage);
  ASSERT_EQ(RunRestore().result, RestoreResult::kRestored);

  ASSERT_TRUE(registry.DeleteValue(RegistryRoot::kLocalMachine, explorer, "NoActiveDesktop"));
  shell.webDesktopRefusesChanges = true;
  EXPECT_TRUE(RunApply().pageNotShown);
  EXPECT_EQ(RunRestore().result, RestoreResult::kRestored) << "the options are as they were";
}

// A wallpaper named by policy, or changes to it forbidden, in either hive: the policy would win,
// so nothing is written. A DWORD policy of 0 forbids nothing.
TEST_F(RestoreTest, AWallpaperFixedByPolicyStopsApplyBeforeAnyChange) {
  struct Policy {
    RegistryRoot root;
    const char* hive;
    std::string key;
    const char* name;
    RegistryValue value;
  };
  for (const Policy& policy :
       {Policy{RegistryRoot::kCurrentUser, "HKEY_CURRENT_USER\\", kPolicies + "System",
               "Wallpaper", {1, ""}},
        Policy{RegistryRoot::kLocalMachine, "HKEY_LOCAL_MACHINE\\", kPolicies + "ActiveDesktop",
               "NoChangingWallPaper", Dword(1)}}) {
    ASSERT_TRUE(registry.WriteValue(policy.root, policy.key, policy.name, policy.value));
    const int registryWrites = registry.writeCount;
    const int fileWrites = files.writeCount;
    const ApplyOutcome outcome = RunApply();
    EXPECT_EQ(outcome.result, ApplyResult::kFixedByPolicy);
    EXPECT_EQ(outcome.policy, policy.hive + policy.key + "\\" + policy.name);
    EXPECT_EQ(registry.writeCount, registryWrites);
    EXPECT_EQ(files.writeCount, fileWrites);
    ASSERT_TRUE(registry.DeleteValue(policy.root, policy.key, policy.name));
  }
  ASSERT_TRUE(registry.WriteValue(RegistryRoot::kLocalMachine, kPolicies + "ActiveDesktop",
                                  "NoChangingWallPaper", Dword(0)));
  const ApplyOutcome allowed = RunApply();
  EXPECT_EQ(allowed.result, ApplyResult::kApplied) << allowed.policy;
}

// A running slideshow would replace the picture at its next change: Apply stops it, and Restore,
// or a failed Apply, starts it again as it was.
TEST_F(RestoreTest, ARunningSlideshowIsStoppedAndStartsAgain) {
  const SlideshowState slideshow{true, {"C:\\Users\\user\\Pictures\\Отпуск"}, true, 600000};
  shell.slideshow = slideshow;
  shell.refusedPicture = kPicture;
  ASSERT_EQ(RunApply().result, ApplyResult::kFailed);
  EXPECT_EQ(shell.slideshow, slideshow);

  shell.refusedPicture = "<none>";
  ASSERT_EQ(RunApply().result, ApplyResult::kApplied);
  EXPECT_FALSE(shell.slideshow.running);
  ASSERT_EQ(RunRestore().result, RestoreResult::kRestored);
  EXPECT_EQ(shell.slideshow, slideshow);
  ExpectOldDesktop();
}

// The file the wallpaper value names may be gone while the shell shows its own copy, or the
// value may name that copy, which the program's picture then replaces. Restore shows the copy
// of what the user saw, puts the value back as it was, and removes the copy.
TEST_F(RestoreTest, ThePictureTheUserSawComesBackFromItsCopy) {
  const std::string cache = std::string(kAppData) + "\\Microsoft\\Windows\\Themes\\TranscodedWallpaper";
  const std::string copy = std::string(kAppData) + "\\Mirella\\previous wallpaper.jpg";
  for (const RegistryValue& named : {kOldWallpaper, RegistryValue{1, cache}}) {
    Write(kDesktop, "Wallpaper", named);
    files.AddFile(cache, "\xff\xd8 holiday");
    ASSERT_EQ(RunApply().result, ApplyResult::kApplied);
    EXPECT_EQ(File(copy), "\xff\xd8 holiday");
    files.AddFile(cache, "\xff\xd8 Mirella");  // as the shell does when it shows a picture
    ASSERT_EQ(RunRestore().result, RestoreResult::kRestored);
    EXPECT_EQ(shell.shownPictures.back(), copy) << named.data;
    EXPECT_EQ(Value(kDesktop, "Wallpaper"), named);
    EXPECT_FALSE(files.FileExists(copy));
  }
}

// When the displays change, the pictures Apply set are drawn anew for the monitors as they are
// (here a second monitor attached: one picture tiled over both), while they are still shown.
TEST_F(RestoreTest, ADisplayChangeRedrawsThePicturesWhileTheyAreShown) {
  ASSERT_EQ(RunApply().result, ApplyResult::kApplied);
  const RedrawServices services{environment, registry, files, shell, picture};
  picture.spanned = true;
  picture.bytes = "BM two monitors";
  ASSERT_EQ(RedrawShownPictures(FullyLinkedTestContent(), kProgram, 0, services),
            RedrawResult::kRedrawn);
  EXPECT_EQ(shell.shownPictures.back(), kSecondPicture);
  EXPECT_EQ(File(kSecondPicture), "BM two monitors");
  EXPECT_FALSE(files.FileExists(kPicture));
  EXPECT_EQ(Value(kDesktop, "WallpaperStyle"), (RegistryValue{1, "0"}));
  EXPECT_EQ(Value(kDesktop, "TileWallpaper"), (RegistryValue{1, "1"}));

  // The user's own picture chosen since stays.
  Write(kDesktop, "Wallpaper", RegistryValue{1, "C:\\mine.jpg"});
  EXPECT_EQ(RedrawShownPictures(FullyLinkedTestContent(), kProgram, 0, services),
            RedrawResult::kNotOurs);
  EXPECT_EQ(shell.shownPictures.back(), kSecondPicture);
  EXPECT_TRUE(files.FileExists(kSecondPicture));
  ASSERT_EQ(RunRestore().result, RestoreResult::kRestored);
  ExpectOldDesktop();
}

// Saved files earlier versions wrote (formats 1 and 2) restore as they were saved.
TEST_F(RestoreTest, FilesOfEarlierFormatsAreRestored) {
  for (const char* name : {"/previous_desktop_v1.dat", "/previous_desktop_v2.dat"}) {
    std::ifstream file(std::string(MIRELLA_TEST_DATA) + name, std::ios::binary);
    const std::string earlier{std::istreambuf_iterator<char>(file), {}};
    const auto decoded = DecodePreviousDesktop(earlier);
    ASSERT_TRUE(decoded.has_value()) << name;
    EXPECT_EQ(decoded->values, (std::vector<std::optional<RegistryValue>>{
                                   kOldWallpaper, kOldStyle, std::nullopt, kOldPage}));
    EXPECT_EQ(decoded->desktopFile, (SavedFile{"old desktop", kHiddenSystem}));
    EXPECT_TRUE(decoded->monitors.empty());

    ASSERT_EQ(RunApply().result, ApplyResult::kApplied);
    files.AddFile(kSaved, earlier);
    ASSERT_EQ(RunRestore().result, RestoreResult::kRestored) << name;
    ExpectOldDesktop();
  }
}

// Where the shell takes a picture per monitor (Windows 8 and later): a monitor that refuses its
// new picture fails the Apply after another has shown its own, and every monitor shows what it
// showed again (a picture, a solid colour), fitted as it was. Then each monitor gets its own
// picture, fitted pixel for pixel, a later Apply replaces them under the other names, and Restore
// gives each monitor still attached what it showed, fitted as it was.
TEST_F(RestoreTest, EachMonitorShowsItsOwnPictureAndGetsItsOwnBack) {
  const std::string pictures = "C:\\Users\\user\\Pictures\\";
  shell.monitors = {{"\\\\?\\DISPLAY#A", 0, 0, 1920, 1080, pictures + "a.jpg"},
                    {"\\\\?\\DISPLAY#C", -1280, 0, 0, 1024, ""},  // a solid colour
                    {"\\\\?\\DISPLAY#B", 1920, 0, 3200, 1024, pictures + "b.jpg"}};
  const auto before = shell.monitors;
  files.AddFile(pictures + "a.jpg", "\xff\xd8 a");
  files.AddFile(pictures + "b.jpg", "\xff\xd8 b");
  const std::string local = "C:\\Users\\user\\AppData\\Local\\Mirella\\";
  shell.refusedPicture = local + "desktop-1-2.png";  // B's, after A and C have theirs
  const ApplyOutcome refused = RunApply();
  ASSERT_EQ(refused.result, ApplyResult::kFailed);
  EXPECT_TRUE(refused.notRestored.empty());
  EXPECT_EQ(shell.monitorPicturesSet.at(0), local + "desktop-1-0.png") << "the first was shown";
  EXPECT_EQ(shell.monitors, before);
  EXPECT_EQ(shell.position, 4);
  EXPECT_FALSE(files.FileExists(local + "desktop-1-0.png"));
  ExpectOldDesktop();

  shell.refusedPicture = "<none>";
  shell.monitorPicturesSet.clear();
  shell.shownPictures.clear();
  ASSERT_EQ(RunApply().result, ApplyResult::kApplied);
  EXPECT_EQ(shell.monitorPicturesSet,
            (std::vector<std::string>{local + "desktop-1-0.png", local + "desktop-1-1.png",
                                      local + "desktop-1-2.png"}));
  EXPECT_EQ(File(local + "desktop-1-2.png"), "BM picture for \\\\?\\DISPLAY#B");
  EXPECT_EQ(shell.position, 2);
  EXPECT_TRUE(shell.shownPictures.empty()) << "one picture for all would undo the others";

  ASSERT_EQ(RunApply().result, ApplyResult::kApplied);
  EXPECT_EQ(shell.monitors[0].picture, local + "desktop-2-0.png");
  EXPECT_FALSE(files.FileExists(local + "desktop-1-0.png"));
  EXPECT_FALSE(files.FileExists(local + "desktop-1-2.png"));

  shell.monitors.pop_back();  // B, detached since
  ASSERT_EQ(RunRestore().result, RestoreResult::kRestored);
  EXPECT_EQ(shell.monitors, (std::vector<MonitorWallpaper>{before[0], before[1]}));
  EXPECT_EQ(shell.position, 4);
  ExpectOldDesktop();
}

// Once everything is back, a read-only attribute on the saved state does not stop its removal;
// where the removal fails all the same, the desktop is restored and the outcome says what is left.
TEST_F(RestoreTest, AReadOnlySavedStateIsRemovedOnceEverythingIsBack) {
  ASSERT_EQ(RunApply().result, ApplyResult::kApplied);
  ASSERT_TRUE(files.WriteAttributes(kSaved, 0x21));
  RestoreOutcome restored = RunRestore();
  EXPECT_EQ(restored.result, RestoreResult::kRestored);
  EXPECT_TRUE(restored.leftBehind.ok()) << restored.leftBehind.message();
  EXPECT_FALSE(files.FileExists(kSaved));
  ExpectOldDesktop();

  ASSERT_EQ(RunApply().result, ApplyResult::kApplied);
  files.readOnlyFolders.insert(std::string(kAppData) + "\\Mirella");
  restored = RunRestore();
  EXPECT_EQ(restored.result, RestoreResult::kRestored);
  EXPECT_NE(restored.leftBehind.message().find(kSaved), std::string::npos);
  ExpectOldDesktop();
}

}  // namespace
}  // namespace mirella
