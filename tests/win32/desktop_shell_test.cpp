// Which desktop the shell shows, decided from what the system has: Wine's own version and
// dwmapi.dll, and XP's version reported by a stand-in for RtlGetVersion, as a compatibility mode
// reports it on a newer system and as XP itself does, where dwmapi.dll is missing.

#include <gtest/gtest.h>

#include <cstring>

#include "system/desktop_shell_win32.h"

namespace mirella {
namespace {

LONG WINAPI ReportXp(OSVERSIONINFOW* version) {
  version->dwMajorVersion = 5;
  version->dwMinorVersion = 1;
  return 0;
}

FARPROC WithXpVersion(const wchar_t* dll, const char* function) {
  if (std::strcmp(function, "RtlGetVersion") == 0) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&ReportXp));
  }
  return FindSystemExport(dll, function);
}

FARPROC WithXpVersionAndNoDwmapi(const wchar_t* dll, const char* function) {
  if (std::wcscmp(dll, L"dwmapi.dll") == 0) return nullptr;
  return WithXpVersion(dll, function);
}

FARPROC WithNoDwmapi(const wchar_t* dll, const char* function) {
  if (std::wcscmp(dll, L"dwmapi.dll") == 0) return nullptr;
  return FindSystemExport(dll, function);
}

TEST(SystemDesktopKind, IsThePageDesktopOnlyForXpsVersionWithoutTheDesktopWindowManager) {
  ASSERT_NE(FindSystemExport(L"dwmapi.dll", "DwmIsCompositionEnabled"), nullptr)
      << "Wine's system folder has dwmapi.dll";
  EXPECT_EQ(SystemDesktopKind(), DesktopKind::kPicture) << "Wine reports Windows 7";
  EXPECT_EQ(SystemDesktopKind(&WithXpVersion), DesktopKind::kPicture)
      << "a compatibility mode on a newer system";
  EXPECT_EQ(SystemDesktopKind(&WithXpVersionAndNoDwmapi), DesktopKind::kPage) << "XP";
  EXPECT_EQ(SystemDesktopKind(&WithNoDwmapi), DesktopKind::kPicture)
      << "a newer version decides alone";
  EXPECT_EQ(Win32DesktopShell(&WithXpVersionAndNoDwmapi).Kind(), DesktopKind::kPage);
}

}  // namespace
}  // namespace mirella
