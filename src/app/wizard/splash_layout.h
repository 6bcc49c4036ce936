#pragma once
// The splash window: a borderless picture with a progress bar that runs while the program starts.

#include <memory>

#include "app/version.h"
#include "ui/control.h"

namespace mirella::app {

struct SplashLayout {
  static constexpr ui::TwipsRect kClient{0, 0, 9360, 3045};  // 624 x 203 pixels
  static constexpr const char* kPicture = "window/splash.bmp";
  static constexpr ui::TwipsRect kProgress{2880, 2280, 5175, 255};
  static constexpr const char* kProgressCaption = "Запуск программы...";
  static constexpr int kLoadingIntervalMs = 10;
  static constexpr ui::TwipsRect kVersion{8280, 2760, 975, 255};
  static constexpr const char* kVersionText = "Версия " MIRELLA_VERSION;
};

// The control tree of `splash`: the form, `mirella_progress`, the timer `loading` (running) and
// the label `version`.
std::unique_ptr<ui::Control> BuildSplashForm();

}  // namespace mirella::app
