#include "fakes/fake_host.h"

#include <gtest/gtest.h>

#include "fakes/host_contract.h"

namespace mirella::testing {
namespace {

struct FakeHostImplementation {
  static std::unique_ptr<FakeHost> Make() { return std::make_unique<FakeHost>(); }
  static void Run(FakeHost& host) { host.RunMessageLoop(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, HostContract, FakeHostImplementation);

TEST(FakeHostClock, TicksEachTimerOnItsOwnIntervalFromWhenItWasEnabled) {
  FakeHost host;
  auto form = std::make_unique<ui::Control>();
  form->kind = ui::ControlKind::kForm;
  for (int interval : {30, 70}) {
    auto timer = std::make_unique<ui::Control>();
    timer->kind = ui::ControlKind::kTimer;
    timer->index = interval;
    timer->interval = interval;
    form->Add(std::move(timer));
  }
  RecordingEvents events;
  std::vector<long long> times;
  events.onTick = [&](ui::Control& timer, int) {
    times.push_back(host.nowMs * 1000 + timer.index);
    if (host.nowMs >= 140) host.Quit();
  };
  host.ShowForm(*form, events);
  host.RunMessageLoop();
  EXPECT_EQ(times, (std::vector<long long>{30030, 60030, 70070, 90030, 120030, 140070}));
}

TEST(FakeHostAnswers, UnscriptedBoxesTakeTheSafeWayOut) {
  FakeHost host;
  EXPECT_EQ(host.ShowMessage("?", ui::MessageIcon::kQuestion, ui::MessageButtons::kYesNo, "t"),
            ui::MessageAnswer::kNo);
  EXPECT_EQ(host.InputBox("p", "t", ""), std::nullopt);
  auto form = std::make_unique<ui::Control>();
  EXPECT_EQ(host.PopupMenu(*form, {}, 0, 0), -1);
}

}  // namespace
}  // namespace mirella::testing
