#include "app/wizard/splash_window.h"

#include <gtest/gtest.h>

#include "app/wizard/main_window.h"
#include "fakes/fake_host.h"
#include "main_window_fixture.h"

namespace mirella::testing {
namespace {

// Stands in for the main window: only records that it was loaded.
struct MainStandIn : ui::FormEvents {
  int loads = 0;
  void Load(ui::Control&) override { ++loads; }
};

class SplashTest : public ::testing::Test {
 protected:
  SplashTest() {
    mainForm.kind = ui::ControlKind::kForm;
    mainForm.name = "main";
  }
  void Tick(int times) {
    for (int i = 0; i < times; ++i) splash.Timer(*splash.Form().Find("loading"));
  }
  std::int16_t Value() { return splash.Form().Find("mirella_progress")->progress->Value(); }

  FakeHost host;
  ui::Control mainForm;
  MainStandIn main;
  app::SplashWindow splash{host, mainForm, main};
};

TEST_F(SplashTest, TheBarGrowsAPixelATickAndTheMainWindowOpensOnTheTickThatPassesTheWidth) {
  host.ShowForm(splash.Form(), splash);
  EXPECT_EQ(Value(), 15);
  Tick(1);
  EXPECT_EQ(Value(), 30);
  Tick(343);  // 344 ticks: the value equals the width, 5175, which is not yet past it
  EXPECT_EQ(Value(), 5175);
  EXPECT_TRUE(host.IsShown(splash.Form()));
  EXPECT_EQ(main.loads, 0);

  Tick(1);  // the 345th
  EXPECT_EQ(Value(), 5190);
  EXPECT_FALSE(host.IsShown(splash.Form()));
  EXPECT_TRUE(host.IsShown(mainForm));
  EXPECT_EQ(main.loads, 1);
  EXPECT_FALSE(splash.Form().Find("loading")->enabled);

  Tick(5);  // late ticks do nothing more
  EXPECT_EQ(main.loads, 1);
  EXPECT_EQ(host.shownForms.size(), 2u);
}

TEST_F(SplashTest, OnTheTenMillisecondClockTheSplashLastsThreeAndAHalfSeconds) {
  host.ShowForm(splash.Form(), splash);
  // Ends the run once main is up: its own timers are idle.
  EXPECT_EQ(host.RunMessageLoop(), 345);
  EXPECT_EQ(host.nowMs, 3450);
  EXPECT_TRUE(host.IsShown(mainForm));
}

TEST_F(SplashTest, ClosingTheSplashBeforeItEndsEndsTheProgram) {
  host.ShowForm(splash.Form(), splash);
  splash.Closed(splash.Form());
  EXPECT_TRUE(host.quit());
}

// From start to the main menu with the real main window.
TEST_F(MainWindowTest, TheSplashHandsOverToTheMainWindowWhichLoadsOnce) {
  window = std::make_unique<app::MainWindow>(host, environment, registry, files, codePage, shell,
                                             picture);
  app::SplashWindow splash(host, window->Form(), *window);
  host.ShowForm(splash.Form(), splash);
  EXPECT_EQ(Content().SystemDrive, "");  // main is not loaded before the splash ends
  host.RunMessageLoop();
  EXPECT_TRUE(host.IsShown(window->Form()));
  EXPECT_EQ(Content().SystemDrive, "C:\\");
  EXPECT_TRUE(C("frm_main").visible);
}

}  // namespace
}  // namespace mirella::testing
