#include "app/wizard/splash_layout.h"

#include "app/app_identity.h"
#include "app/wizard/control_factory.h"

namespace mirella::app {

std::unique_ptr<ui::Control> BuildSplashForm() {
  auto form = std::make_unique<ui::Control>();
  form->kind = ui::ControlKind::kForm;
  form->name = "splash";
  form->bounds = SplashLayout::kClient;
  form->border = false;  // no border, caption or control box
  // Not drawn (there is no caption bar), but it names the window in the task bar.
  form->text = std::string(kApplicationTitle);
  form->picture = SplashLayout::kPicture;
  form->pointer = ui::MousePointer::kHourglass;

  AddProgress(*form, "mirella_progress", SplashLayout::kProgress, SplashLayout::kProgressCaption);
  AddTimer(*form, "loading", SplashLayout::kLoadingIntervalMs, true);
  AddLabel(*form, "version", -1, SplashLayout::kVersion, SplashLayout::kVersionText,
           ui::Alignment::kRight);
  return form;
}

}  // namespace mirella::app
