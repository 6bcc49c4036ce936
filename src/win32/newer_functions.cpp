#include "win32/newer_functions.h"

#include <objbase.h>
#include <wincodec.h>

namespace mirella::ui::win32 {

namespace {

const NewerFunctions* replacement = nullptr;

// A function's address as the pointer type of the entry it fills.
template <typename Function>
void Find(Function& entry, ExportLookup lookup, const wchar_t* dll, const char* name) {
  entry = ExportAs<Function>(lookup(dll, name));
}

HRESULT CreateImagingFactory(IWICImagingFactory** factory) {
  *factory = nullptr;
  return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                          IID_PPV_ARGS(factory));
}

}  // namespace

NewerFunctions LookUpNewerFunctions(ExportLookup lookup) {
  NewerFunctions functions;
  Find(functions.getDpiForWindow, lookup, L"user32.dll", "GetDpiForWindow");
  Find(functions.getDpiForSystem, lookup, L"user32.dll", "GetDpiForSystem");
  Find(functions.adjustWindowRectExForDpi, lookup, L"user32.dll", "AdjustWindowRectExForDpi");
  Find(functions.getSystemMetricsForDpi, lookup, L"user32.dll", "GetSystemMetricsForDpi");
  Find(functions.systemParametersInfoForDpi, lookup, L"user32.dll",
       "SystemParametersInfoForDpi");
  Find(functions.setProcessDpiAwarenessContext, lookup, L"user32.dll",
       "SetProcessDpiAwarenessContext");
  // shcore's older form is only needed where user32 lacks the newer one (Windows 8.1 to 10 1607);
  // loading shcore anywhere else would only delay the first window.
  if (functions.setProcessDpiAwarenessContext == nullptr) {
    Find(functions.setProcessDpiAwareness, lookup, L"shcore.dll", "SetProcessDpiAwareness");
  }
  Find(functions.setProcessDPIAware, lookup, L"user32.dll", "SetProcessDPIAware");
  // WIC is a COM server rather than an export; its DLL's exports tell whether it is installed.
  // The system's own table does not load that DLL to ask: loading it and what it needs took a
  // while before the first window, and creating the factory fails where WIC is missing.
  if (lookup == &FindSystemExport ||
      lookup(L"windowscodecs.dll", "WICConvertBitmapSource") != nullptr) {
    functions.createImagingFactory = &CreateImagingFactory;
  }
  return functions;
}

const NewerFunctions& Newer() {
  static const NewerFunctions system = LookUpNewerFunctions();
  return replacement != nullptr ? *replacement : system;
}

ScopedNewerFunctions::ScopedNewerFunctions(const NewerFunctions& functions)
    : functions_(functions), previous_(replacement) {
  replacement = &functions_;
}

ScopedNewerFunctions::~ScopedNewerFunctions() { replacement = previous_; }

}  // namespace mirella::ui::win32
