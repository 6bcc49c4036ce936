#pragma once
// Everything the main window's behaviour works on: its controls, the desktop being edited and
// the platform services, passed by reference to each concern's functions.

#include "app/wizard/main_controls.h"
#include "content/desktop_content.h"
#include "content/links.h"
#include "generate/code_page.h"
#include "install/desktop_picture.h"
#include "system/desktop_shell.h"
#include "system/environment.h"
#include "system/file_system.h"
#include "system/registry.h"
#include "ui/host.h"

namespace mirella::app {

struct MainServices {
  ui::Host& host;
  const Environment& environment;
  Registry& registry;
  FileSystem& files;
  const CodePage& codePage;
  DesktopShell& shell;
  const DesktopPicture& picture;
};

struct MainWindowState {
  MainControls controls;
  DesktopContent content;
  MainServices services;

  LinkSources Links() const {
    return LinkSources{services.environment, services.registry, services.files};
  }
};

}  // namespace mirella::app
