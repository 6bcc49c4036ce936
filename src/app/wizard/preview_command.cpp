#include "app/wizard/preview_command.h"

#include <string>

#include "app/app_identity.h"
#include "install/preview.h"

namespace mirella::app {

void ShowPreview(MainWindowState& state) {
  const MainServices& s = state.services;
  const Result<std::string> page = WritePreview(state.content, s.environment.ProgramFolder(),
                                                s.environment.TemporaryFolder(), s.files);
  if (!page) {
    s.host.ShowMessage("Не удалось подготовить просмотр.\r\n" + page.message(),
                       ui::MessageIcon::kCritical, ui::MessageButtons::kOk,
                       std::string(kApplicationTitle));
    return;
  }
  s.host.ShellOpen(page.value());
}

}  // namespace mirella::app
