#include "system/desktop_shell_win32.h"

#include <windows.h>
// shlobj.h declares the Active Desktop interface only after wininet.h.
#include <wininet.h>
#include <shlobj.h>

#include "system/desktop_layer_names_win32.h"
#include "win32/handles.h"
#include "win32/system_exports.h"
#include "win32/wide_text.h"

namespace mirella {
namespace {

// shell32's Active Desktop object and its interface (shlguid.h's CLSID_ActiveDesktop and
// IID_IActiveDesktop, which MinGW's uuid library and __uuidof do not all provide).
const CLSID kActiveDesktopClass = {
    0x75048700, 0xef1f, 0x11d0, {0x98, 0x88, 0x00, 0x60, 0x97, 0xde, 0xac, 0xf9}};
const IID kActiveDesktopInterface = {
    0xf490eb00, 0x1240, 0x11d1, {0x98, 0x88, 0x00, 0x60, 0x97, 0xde, 0xac, 0xf9}};

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);

// How long Apply waits for a starting layer to show its window, in milliseconds.
constexpr DWORD kLayerStartWait = 5000;

}  // namespace

unsigned RealSystemMajorVersion(ExportLookup lookup) {
  const auto getVersion = ExportAs<RtlGetVersionFunction>(lookup(L"ntdll.dll", "RtlGetVersion"));
  if (getVersion == nullptr) return 0;
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (getVersion(&version) != 0) return 0;
  return version.dwMajorVersion;
}

// A version that cannot be learnt is taken for a newer system: ntdll has RtlGetVersion on every
// system that shows a page. dwmapi.dll is looked for in the system folder alone.
DesktopKind SystemDesktopKind(ExportLookup lookup) {
  const unsigned major = RealSystemMajorVersion(lookup);
  if (major == 0 || major > 5) return DesktopKind::kPicture;
  const bool hasDesktopWindowManager = lookup(L"dwmapi.dll", "DwmIsCompositionEnabled") != nullptr;
  return hasDesktopWindowManager ? DesktopKind::kPicture : DesktopKind::kPage;
}

Win32DesktopShell::Win32DesktopShell(ExportLookup lookup) : kind_(SystemDesktopKind(lookup)) {}

Status Win32DesktopShell::SetPictureWallpaper(const std::string& path) {
  std::wstring wide = Widen(path);
  if (SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, wide.data(),
                            SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) {
    return Status::Ok();
  }
  const DWORD error = GetLastError();
  std::string message = "Не удалось показать рисунок \"" + path + "\" на Рабочем столе";
  if (error != ERROR_SUCCESS) message += ": " + SystemErrorText(error);
  return Status::Failure(message + ".");
}

namespace {

// The shell's Active Desktop object; false where the shell has none.
bool CreateActiveDesktop(ComPtr<IActiveDesktop>& activeDesktop) {
  return SUCCEEDED(CoCreateInstance(kActiveDesktopClass, nullptr, CLSCTX_INPROC_SERVER,
                                    kActiveDesktopInterface,
                                    reinterpret_cast<void**>(activeDesktop.Put())));
}

}  // namespace

bool Win32DesktopShell::RefreshPageDesktop() {
  const ComApartment apartment;
  ComPtr<IActiveDesktop> activeDesktop;
  if (!CreateActiveDesktop(activeDesktop)) return false;
  // Shown again from the settings as they stand, without the object saving its own copy of them
  // or generating Desktop.htt anew over the page that Apply put there.
  return SUCCEEDED(activeDesktop->ApplyChanges(AD_APPLY_REFRESH | AD_APPLY_FORCE));
}

std::optional<WebDesktopOptions> Win32DesktopShell::GetWebDesktopOptions() {
  const ComApartment apartment;
  ComPtr<IActiveDesktop> activeDesktop;
  if (!CreateActiveDesktop(activeDesktop)) return std::nullopt;
  COMPONENTSOPT options{};
  options.dwSize = sizeof options;
  if (FAILED(activeDesktop->GetDesktopItemOptions(&options, 0))) return std::nullopt;
  return WebDesktopOptions{options.fActiveDesktop != FALSE, options.fEnableComponents != FALSE};
}

// The object was made after the wallpaper values were written, so saving its state writes them
// as they stand; Desktop.htt is not generated anew (no AD_APPLY_HTMLGEN).
bool Win32DesktopShell::SetWebDesktopOptions(const WebDesktopOptions& wanted) {
  const ComApartment apartment;
  ComPtr<IActiveDesktop> activeDesktop;
  if (!CreateActiveDesktop(activeDesktop)) return false;
  COMPONENTSOPT options{};
  options.dwSize = sizeof options;
  options.fActiveDesktop = wanted.pageShown ? TRUE : FALSE;
  options.fEnableComponents = wanted.itemsShown ? TRUE : FALSE;
  return SUCCEEDED(activeDesktop->SetDesktopItemOptions(&options, 0)) &&
         SUCCEEDED(activeDesktop->ApplyChanges(AD_APPLY_SAVE));
}

}  // namespace mirella

namespace mirella {

bool Win32DesktopShell::StartDesktopLayer(const std::string& programFolder) {
  if (const HWND layer = FindWindowW(kDesktopLayerClass, nullptr)) {
    return PostMessageW(layer, RegisterWindowMessageW(kDesktopLayerReloadMessage), 0, 0) != FALSE;
  }
  const std::wstring program = Widen(programFolder + "\\desktop.exe");
  std::wstring commandLine = L"\"" + program + L"\" /layer";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  // The layer runs on by itself: its handles are only let go.
  const UniqueKernelHandle thread(process.hThread);
  const UniqueKernelHandle layerProcess(process.hProcess);
  // The layer shows its window (at the bottom) before it first waits for input. The caller's
  // next window, Apply's message, is made once it has: a system that stacks windows in the
  // order they were made whatever their z-order (Wine's X windows) then keeps it above the
  // layer too. Bounded, as a layer that cannot start must not hold the wizard up.
  WaitForInputIdle(layerProcess.Get(), kLayerStartWait);
  return true;
}

void Win32DesktopShell::EndDesktopLayer() {
  const HWND layer = FindWindowW(kDesktopLayerClass, nullptr);
  if (layer == nullptr) return;
  DWORD processId = 0;
  GetWindowThreadProcessId(layer, &processId);
  const UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (!PostMessageW(layer, RegisterWindowMessageW(kDesktopLayerEndMessage), 0, 0)) return;
  // The uninstaller removes desktop.exe next: the layer must be gone by then.
  if (process) WaitForSingleObject(process.Get(), 10000);
}

}  // namespace mirella
