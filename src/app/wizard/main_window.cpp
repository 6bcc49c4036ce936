#include "app/wizard/main_window.h"

#include "app/wizard/commands.h"
#include "app/wizard/content_view.h"
#include "app/wizard/hover.h"
#include "app/wizard/icon_editor.h"
#include "app/wizard/link_menu.h"
#include "app/wizard/loading_sequence.h"
#include "app/wizard/main_layout.h"
#include "app/wizard/navigation.h"
#include "generate/desktop_script.h"

namespace mirella::app {

MainWindow::MainWindow(ui::Host& host, const Environment& environment, Registry& registry,
                       FileSystem& files, const CodePage& codePage, DesktopShell& shell,
                       const DesktopPicture& picture)
    : form_(BuildMainForm()),
      state_{BindMainControls(*form_), DesktopContent{},
             MainServices{host, environment, registry, files, codePage, shell, picture}} {
  ShowDesktopTexts(state_);
  ShowLinkMarks(state_);
}

void MainWindow::Load(ui::Control& /*form*/) {
  MainControls& c = state_.controls;
  state_.content.SystemDrive = SystemDriveOf(state_.services.environment);

  if (state_.services.files.FileExists(
          DesktopScriptPath(state_.services.environment.ProgramFolder()))) {
    SwitchButton(CommandLabel(c, Command::kInstall), CommandLabel(c, Command::kConfigure));
    c.iconik[0]->visible = false;
    c.iconik[1]->visible = true;
  }

  if (!c.theme->items.empty()) {
    c.theme->selectedItem = 0;
    c.theme->text = c.theme->items.front();
  }
}

void MainWindow::Click(ui::Control& control) {
  const MainControls& c = state_.controls;
  if (const int command = PositionIn(c.label, control); command >= 0) {
    RunCommand(state_, static_cast<Command>(command));
  } else if (const int column = PositionIn(c.btn_icons, control); column >= 0) {
    OpenIconPage(state_, column + 1);
  } else if (const int entry = PositionIn(c.ico, control); entry >= 0) {
    OpenGallery(state_, entry);
  } else if (const int position = PositionIn(c.ico_item, control); position >= 0) {
    PickPicture(state_, position);
  } else if (const int titled = PositionIn(c.ico_title, control); titled >= 0) {
    MoveHighlight(state_, titled);
  } else if (const int described = PositionIn(c.ico_desc, control); described >= 0) {
    MoveHighlight(state_, described);
  } else if (const int linked = PositionIn(c.icon_link, control); linked >= 0) {
    OpenLinkMenu(state_, linked);
  }
}

void MainWindow::MouseMove(ui::Control& control) {
  const MainControls& c = state_.controls;
  if (PositionIn(c.label, control) >= 0) {
    HighlightCommand(control);
  } else if (PositionIn(c.frm_pal, control) >= 0) {
    ResetCommandColours(c.label);
  }
}

void MainWindow::Timer(ui::Control& timer) {
  if (&timer == state_.controls.load) RunLoadingSequence(state_);
}

void MainWindow::Change(ui::Control& textBox) { StoreTypedText(state_, textBox); }

void MainWindow::Closed(ui::Control& /*form*/) { state_.services.host.Quit(); }

}  // namespace mirella::app
