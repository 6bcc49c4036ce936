#include "app/main_window.h"

#include "app/commands.h"
#include "app/content_view.h"
#include "app/hover.h"
#include "app/icon_editor.h"
#include "app/link_menu.h"
#include "app/loading_sequence.h"
#include "app/main_layout.h"
#include "app/navigation.h"
#include "generate/desktop_script.h"

namespace mirella::app {

MainWindow::MainWindow(ui::Host& host, const Environment& environment, Registry& registry,
                       FileSystem& files, const CodePage& codePage)
    : form_(BuildMainForm()),
      state_{BindMainControls(*form_), DesktopContent{},
             MainServices{host, environment, registry, files, codePage}} {
  ShowDesktopTexts(state_);
}

void MainWindow::Load(ui::Control& /*form*/) {
  MainControls& c = state_.controls;
  state_.content.SystemDrive = SystemDriveOf(state_.services.environment);

  if (state_.services.files.FileExists(
          DesktopScriptPath(state_.services.environment.ProgramFolder()))) {
    SwitchButton(*c.label[kInstall], *c.label[kConfigure]);
    c.iconik[0]->visible = false;
    c.iconik[1]->visible = true;
  }

  if (!c.theme->items.empty()) {
    c.theme->selectedItem = 0;
    c.theme->text = c.theme->items.front();
  }
}

void MainWindow::Click(ui::Control& control) {
  const std::string& name = control.name;
  if (name == "label") {
    RunCommand(state_, control.index);
  } else if (name == "btn_icons") {
    OpenIconPage(state_, control.index);
  } else if (name == "ico") {
    OpenGallery(state_, control.index);
  } else if (name == "ico_item") {
    PickPicture(state_, control.index);
  } else if (name == "ico_title" || name == "ico_desc") {
    MoveHighlight(state_, control.index);
  } else if (name == "icon_link") {
    OpenLinkMenu(state_, control.index);
  }
}

void MainWindow::MouseMove(ui::Control& control) {
  if (control.name == "label") {
    HighlightCommand(control);
  } else if (control.name == "frm_pal") {
    ResetCommandColours(state_.controls.label);
  }
}

void MainWindow::Timer(ui::Control& timer) {
  if (&timer == state_.controls.load) RunLoadingSequence(state_);
}

void MainWindow::Change(ui::Control& textBox) { StoreTypedText(state_, textBox); }

void MainWindow::Closed(ui::Control& /*form*/) { state_.services.host.Quit(); }

}  // namespace mirella::app
