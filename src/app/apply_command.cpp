#include "app/apply_command.h"

#include <string>

#include "app/app_identity.h"
#include "system/apply.h"

namespace mirella::app {

void RunApply(MainWindowState& state) {
  const MainServices& s = state.services;
  const ApplyOutcome outcome =
      Apply(state.content, ApplyServices{s.environment, s.registry, s.files, s.codePage});
  const ui::MessageIcon icon = outcome.result == ApplyResult::kFailed ? ui::MessageIcon::kCritical
                                                                      : ui::MessageIcon::kInformation;
  const std::string title = outcome.title.empty() ? std::string(kApplicationTitle) : outcome.title;
  s.host.ShowMessage(outcome.message, icon, ui::MessageButtons::kOk, title);
  if (outcome.result == ApplyResult::kApplied) s.host.Quit();
}

}  // namespace mirella::app
