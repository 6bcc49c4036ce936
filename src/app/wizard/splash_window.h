#pragma once
// The behaviour of the splash window: its `loading` timer grows the progress bar one pixel per
// tick, and once the bar is over-full the splash closes and the main window opens.

#include <memory>

#include "ui/host.h"

namespace mirella::app {

class SplashWindow : public ui::FormEvents {
 public:
  // `mainForm` and `mainEvents` are the main window, shown by the splash's last tick.
  SplashWindow(ui::Host& host, ui::Control& mainForm, ui::FormEvents& mainEvents);

  ui::Control& Form() { return *form_; }
  bool Finished() const { return finished_; }

  void Timer(ui::Control& timer) override;
  // A splash closed by the user (Alt+F4) would leave no window at all: the program ends.
  void Closed(ui::Control& form) override;

 private:
  std::unique_ptr<ui::Control> form_;
  ui::Host& host_;
  ui::Control& mainForm_;
  ui::FormEvents& mainEvents_;
  ui::Control* progress_;
  bool finished_ = false;
};

}  // namespace mirella::app
