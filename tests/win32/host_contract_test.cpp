// The host contract against the real Win32 host: forms, their load step and their timers, with
// real windows and the real message loop (under Wine, in a virtual display).

#include <windows.h>

#include "fakes/host_contract.h"
#include "ui/win32/win32_host.h"

namespace mirella::testing {
namespace {

struct Win32HostImplementation {
  static std::unique_ptr<ui::win32::Win32Host> Make() {
    return std::make_unique<ui::win32::Win32Host>(GetModuleHandleW(nullptr));
  }
  static void Run(ui::win32::Win32Host& host) { host.RunMessageLoop(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, HostContract, Win32HostImplementation);

}  // namespace
}  // namespace mirella::testing
