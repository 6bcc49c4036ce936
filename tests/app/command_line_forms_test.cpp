#include "app/command_line_forms.h"

#include <gtest/gtest.h>

#include "content/links.h"
#include "fakes/fake_desktop_shell.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_host.h"
#include "fakes/fake_registry.h"
#include "install/previous_desktop.h"

namespace mirella {
namespace {

using testing::FakeHost;

constexpr const char* kAppData = "C:\\Users\\user\\AppData\\Roaming";
constexpr const char* kGeneral = "Software\\Microsoft\\Internet Explorer\\Desktop\\General";

class CommandLineFormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry.Put(std::string(kShellFoldersKey), "AppData", kAppData);
    registry.Put("Control Panel\\Desktop", "Wallpaper", "C:\\old.bmp");
    registry.Put(kGeneral, "Wallpaper", "C:\\old.htm");
    files.AddDirectory(kAppData);
  }
  void SaveAndChangeDesktop() {
    ASSERT_TRUE(SavePreviousDesktopOnce(registry, files, shell, DesktopPlacesIn(kAppData)).ok());
    registry.Put("Control Panel\\Desktop", "Wallpaper", "C:\\new.htm");
    registry.Put(kGeneral, "Wallpaper", "C:\\new.htm");
  }
  std::optional<int> Run(const std::vector<std::string>& arguments) {
    host.messages.clear();
    return app::RunCommandLine(arguments, host,
                               RestoreServices{environment, registry, files, shell});
  }
  std::string Wallpaper() const {
    return registry.GetStringValue(RegistryRoot::kCurrentUser, "Control Panel\\Desktop",
                                   "Wallpaper");
  }

  FakeHost host;
  testing::FakeEnvironment environment;
  testing::FakeRegistry registry;
  testing::FakeFileSystem files;
  testing::FakeDesktopShell shell;
};

TEST_F(CommandLineFormsTest, AsksThenRestoresAndSaysHowItWent) {
  EXPECT_EQ(Run({}), std::nullopt) << "no arguments: the wizard runs";

  host.messageAnswers = {ui::MessageAnswer::kYes};
  EXPECT_EQ(Run({"/restore"}), 1);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[0].text, "Вернуть прежний Рабочий стол?");
  EXPECT_EQ(host.messages[0].icon, ui::MessageIcon::kQuestion);
  EXPECT_EQ(host.messages[0].buttons, ui::MessageButtons::kYesNo);
  EXPECT_EQ(host.messages[0].title, "Mirella");
  EXPECT_EQ(host.messages[1].text, "Mirella еще не изменяла Рабочий стол.");

  ASSERT_NO_FATAL_FAILURE(SaveAndChangeDesktop());
  host.messageAnswers = {ui::MessageAnswer::kNo};
  EXPECT_EQ(Run({"/restore"}), 1);
  EXPECT_EQ(host.messages.size(), 1u) << "No: nothing more is said";
  EXPECT_EQ(Wallpaper(), "C:\\new.htm");

  // A value that cannot be written: what is back and what is not, and the state stays.
  registry.deniedKeys.insert(kGeneral);
  host.messageAnswers = {ui::MessageAnswer::kYes};
  EXPECT_EQ(Run({"/RESTORE"}), 2);
  ASSERT_EQ(host.messages.size(), 2u);
  const std::string& failure = host.messages[1].text;
  EXPECT_EQ(host.messages[1].icon, ui::MessageIcon::kCritical);
  EXPECT_EQ(failure.rfind("Не удалось вернуть прежний Рабочий стол.", 0), 0u) << failure;
  EXPECT_NE(failure.find("Восстановлено:\r\nDesktop.htt"), std::string::npos) << failure;
  EXPECT_NE(failure.find("Не восстановлено:\r\nпараметр реестра \"Wallpaper\" в разделе "
                         "\"Software\\Microsoft\\Internet Explorer\\Desktop\\General\". "),
            std::string::npos)
      << failure;

  registry.deniedKeys.clear();
  host.messageAnswers = {ui::MessageAnswer::kYes};
  EXPECT_EQ(Run({"/restore"}), 0);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[1].text, "Прежний Рабочий стол восстановлен.");
  EXPECT_EQ(Wallpaper(), "C:\\old.bmp");
}

TEST_F(CommandLineFormsTest, QuietFormShowsNothingAndOtherArgumentsListTheForms) {
  ASSERT_NO_FATAL_FAILURE(SaveAndChangeDesktop());
  EXPECT_EQ(Run({"/Quiet", "/restore"}), 0) << "the switches in any order";
  EXPECT_EQ(Wallpaper(), "C:\\old.bmp");
  EXPECT_EQ(Run({"/restore", "/quiet"}), 1);
  EXPECT_TRUE(host.messages.empty());

  // With "/quiet" anywhere nothing may wait for an answer: a wrong line just ends with 2.
  ASSERT_NO_FATAL_FAILURE(SaveAndChangeDesktop());
  for (const std::vector<std::string>& odd :
       {std::vector<std::string>{"/quiet"}, {"/restore", "/quiet", "/x"}, {"/layer", "/quiet"},
        {"/restore", "/quiet", "/quiet"}}) {
    EXPECT_EQ(Run(odd), 2);
    EXPECT_TRUE(host.messages.empty()) << odd.size() << " arguments";
  }
  EXPECT_EQ(Wallpaper(), "C:\\new.htm") << "a wrong line changes nothing";

  for (const std::vector<std::string>& odd : {std::vector<std::string>{"/restore", "/loud"},
                                              {"restore"}, {"/layer", "/x"}, {"/restore", "/layer"}}) {
    EXPECT_EQ(Run(odd), 2);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("desktop.exe /restore /quiet"), std::string::npos);
  }
}

// What stands in the saved state's place is said as it is: a folder there is a failure with its
// reason, never "nothing saved"; a state that is back but cannot be removed is a restore.
TEST_F(CommandLineFormsTest, TheSavedStatesPlaceIsReportedAsItIs) {
  const std::string saved = std::string(kAppData) + "\\Mirella\\previous desktop.dat";
  files.AddDirectory(saved);
  EXPECT_EQ(Run({"/restore", "/quiet"}), 2);
  host.messageAnswers = {ui::MessageAnswer::kYes};
  EXPECT_EQ(Run({"/restore"}), 2);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[1].text.rfind("Не удалось вернуть прежний Рабочий стол.\r\n", 0), 0u);
  EXPECT_NE(host.messages[1].text.find("\"" + saved + "\" находится папка"), std::string::npos)
      << host.messages[1].text;

  testing::FakeFileSystem fresh;
  fresh.AddDirectory(kAppData);
  files = fresh;
  ASSERT_NO_FATAL_FAILURE(SaveAndChangeDesktop());
  files.readOnlyFolders.insert(std::string(kAppData) + "\\Mirella");
  host.messageAnswers = {ui::MessageAnswer::kYes};
  EXPECT_EQ(Run({"/restore"}), 0);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[1].text.rfind("Прежний Рабочий стол восстановлен.\r\n\r\n"
                                        "Сохранённый прежний Рабочий стол удалить не удалось: ",
                                        0),
            0u)
      << host.messages[1].text;
  EXPECT_EQ(Wallpaper(), "C:\\old.bmp");
}

}  // namespace
}  // namespace mirella
