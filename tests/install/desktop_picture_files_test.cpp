// Where the drawn pictures go and how one set of them replaces the next: the files are known by
// name, since the folder is never listed.

#include "install/desktop_picture_files.h"

#include <gtest/gtest.h>

#include <cctype>

#include "content/links.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"
#include "install/desktop_places.h"
#include "install/install_test_places.h"

namespace mirella {
namespace {

using testing::FakeEnvironment;
using testing::FakeFileSystem;
using testing::FakeRegistry;

constexpr const char* kFolder = "C:\\Users\\user\\AppData\\Local\\Mirella";

TEST(DesktopPictureFiles, GoToTheLocalFolderTheShellFoldersValueOrTheShellNames) {
  FakeEnvironment environment;
  FakeRegistry registry;
  environment.shellLocalAppData = "D:\\Local";
  EXPECT_EQ(LocalAppDataFolder(environment, registry), "D:\\Local");
  registry.Put(std::string(kShellFoldersKey), "Local AppData", "C:\\Users\\user\\AppData\\Local\\");
  const DesktopPlaces places =
      DesktopPlacesIn(kAppData, LocalAppDataFolder(environment, registry));
  EXPECT_EQ(places.pictureFolder, kFolder);
  EXPECT_EQ(places.picture, std::string(kAppData) + "\\Mirella\\desktop.bmp");
  EXPECT_EQ(DesktopPlacesIn(kAppData).pictureFolder, std::string(kAppData) + "\\Mirella");
}

// Three Applies in turn: two monitors, then one, then two again, each set written beside the
// one shown and the shown one removed once the new one is set.
TEST(DesktopPictureFiles, AlternateGenerationsAndLeaveNoStaleFile) {
  FakeFileSystem files;
  files.AddDirectory(kFolder);
  const std::string other = std::string(kFolder) + "\\desktop-x.png";  // not one of the set
  files.AddFile(other, "user's");
  auto write = [&](const PictureFileSet& set) {
    for (const std::string& path : set.paths) ASSERT_TRUE(files.WriteFileReplacing(path, "p").ok());
  };

  const PictureFileSet first = NextPictureFiles(kFolder, {"C:\\Windows\\Web\\img0.jpg"}, 2, "png");
  EXPECT_EQ(first.paths, (std::vector<std::string>{std::string(kFolder) + "\\desktop-1-0.png",
                                                   std::string(kFolder) + "\\desktop-1-1.png"}));
  write(first);
  ASSERT_TRUE(RemoveStalePictureFiles(files, kFolder, first).ok());

  // The shell may report the path in another case.
  std::string shown = first.paths[1];
  for (char& c : shown) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const PictureFileSet second = NextPictureFiles(kFolder, {"", shown}, 1, "bmp");
  ASSERT_EQ(second.generation, 2);
  EXPECT_EQ(second.paths, std::vector<std::string>{std::string(kFolder) + "\\desktop-2-0.bmp"});
  write(second);
  EXPECT_TRUE(files.FileExists(first.paths[0]));  // still shown until the new set is
  ASSERT_TRUE(RemoveStalePictureFiles(files, kFolder, second).ok());
  EXPECT_FALSE(files.FileExists(first.paths[0]));
  EXPECT_FALSE(files.FileExists(first.paths[1]));

  const PictureFileSet third = NextPictureFiles(kFolder, second.paths, 2, "png");
  ASSERT_EQ(third.generation, 1);
  write(third);
  files.writesLeft = 0;
  EXPECT_FALSE(RemoveStalePictureFiles(files, kFolder, third).ok());
  files.writesLeft = -1;
  ASSERT_TRUE(RemoveStalePictureFiles(files, kFolder, third).ok());
  EXPECT_FALSE(files.FileExists(second.paths[0]));
  EXPECT_TRUE(files.FileExists(third.paths[0]));
  EXPECT_TRUE(files.FileExists(third.paths[1]));
  EXPECT_TRUE(files.FileExists(other));
}

}  // namespace
}  // namespace mirella
