#include "app/wizard/loading_sequence.h"

#include <string>

#include "app/app_identity.h"
#include "app/wizard/content_view.h"
#include "app/wizard/navigation.h"
#include "content/default_content.h"
#include "generate/theme_page.h"

namespace mirella::app {

namespace {

constexpr const char* kInstallTitle = "Установка";
constexpr const char* kSettingsTitle = "Настройка";

void RunProgressBar(ui::Control& control) {
  MirellaProgress& progress = *control.progress;
  // The bar widens one twip per step, as many steps as the control is wide, without repainting
  // in between: the whole run happens inside one timer event.
  const int width = control.bounds.width;
  for (int step = 1; step <= width; ++step) progress.SetValue(progress.Value() + 1.0f);
}

}  // namespace

void StartLoading(MainWindowState& state) {
  MainControls& c = state.controls;
  SwitchFrame(*c.frm_name, *c.frm_main, *c.frm_load, kInstallTitle);
  c.load->enabled = true;
}

void RunLoadingSequence(MainWindowState& state) {
  MainControls& c = state.controls;
  if (!c.load->enabled) return;
  RunProgressBar(*c.progress);
  c.load->enabled = false;

  GetChanges(state.content);
  LoadDefaultContent(state);

  // The settings page is reached even when the theme page cannot be written: the user sees why,
  // keeps editing, and Apply deals with a page that is still missing.
  const Status written = WriteThemes(state.services.environment.ProgramFolder(),
                                     state.services.files, state.services.codePage);
  if (!written) {
    state.services.host.ShowMessage(written.message(), ui::MessageIcon::kCritical,
                                    ui::MessageButtons::kOk, std::string(kApplicationTitle));
  }
  SwitchFrame(*c.frm_name, *c.frm_load, *c.frm_store, kSettingsTitle);
}

}  // namespace mirella::app
