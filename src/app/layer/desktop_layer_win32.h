#pragma once
// desktop.exe /layer: the program's desktop drawn live just above the wallpaper and under every
// application window, so that a click on an entry opens its link where the shell shows pictures
// only. One layer per user session; it reads desktop.js of its program folder and follows it.

#include <windows.h>

#include "generate/code_page.h"
#include "install/desktop_picture.h"
#include "system/desktop_shell.h"
#include "system/environment.h"
#include "system/file_system.h"
#include "system/registry.h"

namespace mirella::app {

// The registry, the shell and the pictures keep the wallpaper in step with the layer when the
// displays change.
struct LayerServices {
  const Environment& environment;
  FileSystem& files;
  const CodePage& codePage;
  Registry& registry;
  DesktopShell& shell;
  const DesktopPicture& picture;
};

// Runs the layer until it is told to end, and returns the exit code: 0 also when another layer
// already runs or there is no desktop.js to show (the wallpaper shows the desktop then).
int RunDesktopLayer(HINSTANCE instance, const LayerServices& services);

}  // namespace mirella::app
