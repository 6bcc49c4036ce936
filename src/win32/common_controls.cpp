#include "win32/common_controls.h"

#include <stdexcept>

namespace mirella::ui::win32 {

namespace {

template <typename Function>
void Find(Function& entry, HMODULE module, const char* name) {
  entry = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
  if (entry == nullptr) throw std::runtime_error(std::string("comctl32.dll lacks ") + name);
}

CommonControls Load() {
  // By its bare name, so that the manifest's activation context picks version 6 from the
  // side-by-side store; a path would bypass it and give the unthemed version 5.
  HMODULE module = LoadLibraryW(L"comctl32.dll");  // kept for the process's life
  if (module == nullptr) throw std::runtime_error("comctl32.dll could not be loaded");
  BOOL(WINAPI * initCommonControlsEx)(const INITCOMMONCONTROLSEX*) = nullptr;
  Find(initCommonControlsEx, module, "InitCommonControlsEx");
  const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  initCommonControlsEx(&classes);
  CommonControls controls;
  Find(controls.setWindowSubclass, module, "SetWindowSubclass");
  Find(controls.removeWindowSubclass, module, "RemoveWindowSubclass");
  Find(controls.defSubclassProc, module, "DefSubclassProc");
  return controls;
}

}  // namespace

const CommonControls& LoadCommonControls() {
  static const CommonControls controls = Load();
  return controls;
}

}  // namespace mirella::ui::win32
