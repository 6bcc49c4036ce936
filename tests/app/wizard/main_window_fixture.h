#pragma once
// The main window against the fake host and in-memory platform, with the helpers the tests use
// to click, hover, type and tick as a user and the clock would.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/wizard/main_window.h"
#include "content/links.h"
#include "fakes/fake_desktop_shell.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_host.h"
#include "fakes/fake_registry.h"
#include "generate/cp1251.h"

namespace mirella::testing {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry.Put(std::string(kShellFoldersKey), "Personal", "C:\\Users\\user\\Documents");
    registry.Put(std::string(kShellFoldersKey), "My Pictures", "C:\\Users\\user\\Pictures");
    registry.Put(std::string(kShellFoldersKey), "AppData", "C:\\Users\\user\\AppData\\Roaming");
    files.AddDirectory(environment.programFolder + "\\Themes\\Blue Classic");
    files.AddDirectory("C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Internet Explorer");
  }

  // Makes the window and shows it, which runs its load step.
  app::MainWindow& Open() {
    window = std::make_unique<app::MainWindow>(host, environment, registry, files, codePage, shell,
                                               picture);
    host.ShowForm(window->Form(), *window);
    return *window;
  }

  ui::Control& C(const std::string& name, int index = -1) {
    ui::Control* control = window->Form().Find(name, index);
    if (control == nullptr) throw std::logic_error("no control " + name);
    return *control;
  }
  void Click(const std::string& name, int index = -1) { window->Click(C(name, index)); }
  void Hover(const std::string& name, int index = -1) { window->MouseMove(C(name, index)); }
  void Type(const std::string& name, int index, const std::string& text) {
    ui::Control& box = C(name, index);
    box.text = text;
    window->Change(box);
  }
  // Install, then the load timer's tick: the settings page with the default content.
  void InstallAndLoad() {
    Click("label", 0);
    window->Timer(C("load"));
  }
  const DesktopContent& Content() const { return window->Content(); }

  FakeHost host;
  FakeEnvironment environment;
  FakeRegistry registry;
  FakeFileSystem files;
  Cp1251 codePage;
  FakeDesktopShell shell;
  FakeDesktopPicture picture;
  std::unique_ptr<app::MainWindow> window;
};

}  // namespace mirella::testing
