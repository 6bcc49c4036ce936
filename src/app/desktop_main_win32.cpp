// desktop.exe: the splash window, then the main window, on the Win32 form layer.

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "app/app_identity.h"
#include "app/command_line.h"
#include "app/command_line_forms.h"
#include "app/layer/desktop_layer_win32.h"
#include "app/program_arguments_win32.h"
#include "app/wallpaper_pictures_win32.h"
#include "app/wizard/main_window.h"
#include "app/wizard/splash_window.h"
#include "generate/code_page_win32.h"
#include "system/desktop_shell_win32.h"
#include "system/environment_win32.h"
#include "system/file_system_win32.h"
#include "system/registry_win32.h"
#include "ui/win32/win32_host.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
  mirella::ui::win32::DeclareDpiAwareness();
  using mirella::app::LaunchMode;
  LaunchMode mode = LaunchMode::kWizard;
  try {
    mirella::Win32Environment environment;
    mirella::Win32FileSystem files;
    mirella::SystemCodePage codePage;
    const std::vector<std::string> arguments = mirella::app::ProgramArguments();
    mode = mirella::app::ParseLaunchMode(arguments);
    mirella::Win32Registry registry;
    mirella::Win32DesktopShell shell;
    const mirella::app::ScreenDesktopPictures picture(files);
    // The resident layer needs none of the wizard's windows and services.
    if (mode == LaunchMode::kLayer) {
      return mirella::app::RunDesktopLayer(
          instance, {environment, files, codePage, registry, shell, picture});
    }

    mirella::ui::win32::Win32Host host(instance);

    // "/restore" and the other command-line forms run instead of the windows below.
    if (const auto exitCode = mirella::app::RunCommandLine(
            arguments, host,
            mirella::RestoreServices{environment, registry, files, shell})) {
      return *exitCode;
    }

    // The main window's object exists from the start; its window is made by the splash's last
    // tick.
    mirella::app::MainWindow main(host, environment, registry, files, codePage, shell, picture);
    mirella::app::SplashWindow splash(host, main.Form(), main);
    host.ShowForm(splash.Form(), splash);
    return host.RunMessageLoop();
  } catch (const std::exception& error) {
    // Only a fault in building the windows gets here; event handlers keep their own failures.
    // A script that asked for quiet gets the failure's exit code and no box to wait on.
    if (mode == LaunchMode::kRestoreQuietly || mode == LaunchMode::kUnknownQuietly) {
      return mirella::app::kExitFailed;
    }
    const std::wstring text = L"Не удалось запустить программу.\n\n" + mirella::Widen(error.what());
    MessageBoxW(nullptr, text.c_str(), mirella::Widen(mirella::app::kApplicationTitle).c_str(),
                MB_OK | MB_ICONERROR);
    return 1;
  }
}
