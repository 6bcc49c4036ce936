#include "app/wizard/commands.h"

#include <string>

#include "app/app_identity.h"
#include "app/wizard/apply_command.h"
#include "app/wizard/content_view.h"
#include "app/wizard/icon_editor.h"
#include "app/wizard/loading_sequence.h"
#include "app/wizard/navigation.h"
#include "app/wizard/preview_command.h"
#include "content/maker_site.h"

namespace mirella::app {

namespace {

constexpr const char* kSettingsTitle = "Настройка";
constexpr const char* kHelpTitle = "О программе";
constexpr const char* kMainMenuTitle = "Главное меню";
constexpr const char* kCancelQuestion =
    "При отмене настройки все несохраненные изменения будут утеряны.\r\n"
    "Вы точно хотите выйти из программы?";
constexpr const char* kCancelTitle = "Отмена";

constexpr const char* kInstalledUnreadable =
    "Не удалось прочитать сохранённые настройки Рабочего стола. "
    "Открыты настройки по умолчанию.";

// The settings page starts from the desktop as installed, or from the defaults when desktop.js
// cannot be read back.
void Configure(MainWindowState& state) {
  MainControls& c = state.controls;
  if (!LoadInstalledContent(state)) {
    state.services.host.ShowMessage(kInstalledUnreadable, ui::MessageIcon::kInformation,
                                    ui::MessageButtons::kOk, std::string(kApplicationTitle));
    LoadDefaultContent(state);
  }
  SwitchFrame(*c.frm_name, *c.frm_main, *c.frm_store, kSettingsTitle);
}

void Cancel(MainWindowState& state) {
  const ui::MessageAnswer answer = state.services.host.ShowMessage(
      kCancelQuestion, ui::MessageIcon::kQuestion, ui::MessageButtons::kYesNo, kCancelTitle);
  if (answer == ui::MessageAnswer::kYes) state.services.host.Quit();
}

}  // namespace

void RunCommand(MainWindowState& state, Command command) {
  MainControls& c = state.controls;
  switch (command) {
    case Command::kInstall:
      StartLoading(state);
      break;
    case Command::kConfigure:
      Configure(state);
      break;
    case Command::kWebSite:
      state.services.host.ShellOpen(std::string(kMakerSite));
      break;
    case Command::kHelp:
      SwitchFrame(*c.frm_name, *c.frm_main, *c.frm_help, kHelpTitle);
      break;
    case Command::kExit:
      state.services.host.Quit();
      break;
    case Command::kAboutPage:
      SwitchFrame(*c.frm_name, *c.frm_help, *c.frm_main, kMainMenuTitle);
      break;
    case Command::kCancel:
      Cancel(state);
      break;
    case Command::kPreview:
      ShowPreview(state);
      break;
    case Command::kApply:
      RunApply(state);
      break;
    case Command::kBack:
      LeaveIconPage(state);
      break;
  }
}

}  // namespace mirella::app
