#include "app/wizard/splash_window.h"

#include <stdexcept>

#include "app/wizard/splash_layout.h"

namespace mirella::app {

namespace {

// One pixel at 96 dots per inch.
constexpr float kStepTwips = 15;

}  // namespace

SplashWindow::SplashWindow(ui::Host& host, ui::Control& mainForm, ui::FormEvents& mainEvents)
    : form_(BuildSplashForm()),
      host_(host),
      mainForm_(mainForm),
      mainEvents_(mainEvents),
      progress_(form_->Find("mirella_progress")) {
  if (progress_ == nullptr || !progress_->progress) {
    throw std::logic_error("splash layout lacks mirella_progress");
  }
}

void SplashWindow::Timer(ui::Control& timer) {
  if (finished_ || timer.name != "loading") return;
  MirellaProgress& progress = *progress_->progress;
  progress.SetValue(progress.Value() + kStepTwips);
  // Ends on the first tick at which the value exceeds the width, not the one at which it equals it.
  if (progress_->bounds.width < progress.Value()) {
    finished_ = true;
    timer.enabled = false;
    host_.CloseForm(*form_);
    host_.ShowForm(mainForm_, mainEvents_);
  }
}

void SplashWindow::Closed(ui::Control& /*form*/) {
  if (!finished_) host_.Quit();
}

}  // namespace mirella::app
