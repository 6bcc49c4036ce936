#pragma once
// The behaviour of the main window `main`: its load step and the dispatch of every event to the
// concern that handles it.

#include <memory>

#include "app/wizard/main_window_state.h"
#include "ui/host.h"

namespace mirella::app {

class MainWindow : public ui::FormEvents {
 public:
  MainWindow(ui::Host& host, const Environment& environment, Registry& registry, FileSystem& files,
             const CodePage& codePage, DesktopShell& shell, const DesktopPicture& picture);

  ui::Control& Form() { return *form_; }
  const DesktopContent& Content() const { return state_.content; }
  MainWindowState& State() { return state_; }

  // Form_Load: the system drive, install or configure according to desktop.js, the theme.
  void Load(ui::Control& form) override;
  void Click(ui::Control& control) override;
  void MouseMove(ui::Control& control) override;
  void Timer(ui::Control& timer) override;
  void Change(ui::Control& textBox) override;
  // Closing the main window ends the program.
  void Closed(ui::Control& form) override;

 private:
  std::unique_ptr<ui::Control> form_;
  MainWindowState state_;
};

}  // namespace mirella::app
