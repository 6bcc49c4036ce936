#pragma once
// What every Host must do with forms and timers, run against the fake natively and meant to run
// against the Win32 host under Wine, so that the fake's clock cannot drift from the real one.
// The interactive boxes (message, input, popup) are scripted in the fake and cannot be driven
// here; the window tests cover them on the real host.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/host.h"

namespace mirella::testing {

// Each implementation supplies: static std::unique_ptr<HostType> Make(), and
// static void Run(HostType&), which runs the message loop until Quit is called.
template <class Implementation>
class HostContract : public ::testing::Test {
 protected:
  static std::unique_ptr<ui::Control> FormWithTimers(const std::vector<int>& intervals) {
    auto form = std::make_unique<ui::Control>();
    form->kind = ui::ControlKind::kForm;
    form->name = "contract";
    form->bounds = {0, 0, 3000, 2000};
    for (std::size_t i = 0; i < intervals.size(); ++i) {
      auto timer = std::make_unique<ui::Control>();
      timer->kind = ui::ControlKind::kTimer;
      timer->name = "timer";
      timer->index = static_cast<int>(i);
      timer->interval = intervals[i];
      timer->enabled = true;
      form->Add(std::move(timer));
    }
    return form;
  }
};

// Records the events; `onTick` decides what a tick does.
struct RecordingEvents : ui::FormEvents {
  std::vector<std::string> log;
  std::function<void(ui::Control&, int)> onTick;
  int ticks = 0;
  void Load(ui::Control&) override { log.push_back("load"); }
  void Timer(ui::Control& timer) override {
    log.push_back("tick " + std::to_string(timer.index));
    onTick(timer, ++ticks);
  }
};

TYPED_TEST_SUITE_P(HostContract);

TYPED_TEST_P(HostContract, LoadRunsOnceBeforeTheFirstTickAndClosingStopsTheTimers) {
  auto host = TypeParam::Make();
  auto form = this->FormWithTimers({10});
  RecordingEvents events;
  events.onTick = [&](ui::Control&, int tick) {
    if (tick == 3) {
      host->CloseForm(*form);
      host->Quit();
    }
  };
  host->ShowForm(*form, events);
  TypeParam::Run(*host);
  EXPECT_EQ(events.log, (std::vector<std::string>{"load", "tick 0", "tick 0", "tick 0"}));
}

TYPED_TEST_P(HostContract, ATimerDisabledInItsHandlerTicksNoMoreWhileOthersGoOn) {
  auto host = TypeParam::Make();
  auto form = this->FormWithTimers({10, 200});
  RecordingEvents events;
  int fastTicks = 0;
  events.onTick = [&](ui::Control& timer, int) {
    if (timer.index == 0) {
      ++fastTicks;
      timer.enabled = false;
    } else {
      host->CloseForm(*form);
      host->Quit();
    }
  };
  host->ShowForm(*form, events);
  TypeParam::Run(*host);
  EXPECT_EQ(fastTicks, 1);
  EXPECT_EQ(events.log.back(), "tick 1");
}

REGISTER_TYPED_TEST_SUITE_P(HostContract, LoadRunsOnceBeforeTheFirstTickAndClosingStopsTheTimers,
                            ATimerDisabledInItsHandlerTicksNoMoreWhileOthersGoOn);

}  // namespace mirella::testing
