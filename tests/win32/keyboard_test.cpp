// The keyboard on the real windows: Tab walks the text boxes of the page that is showing, in
// reading order, without clicking them, and the input box takes Enter as OK and Escape as Cancel.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/content_view.h"
#include "app/icon_editor.h"
#include "app/main_window.h"
#include "app/navigation.h"
#include "fakes/fake_desktop_shell.h"
#include "generate/code_page_win32.h"
#include "system/environment_win32.h"
#include "system/file_system_win32.h"
#include "system/registry_win32.h"
#include "system/wide_text_win32.h"
#include "ui/win32/win32_host.h"
#include "win32/gui_test_support.h"

namespace mirella::ui::win32 {
namespace {

class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!mirella::testing::CanCreateWindows()) GTEST_SKIP() << "no display for windows";
    host = std::make_unique<Win32Host>(GetModuleHandleW(nullptr));
    main = std::make_unique<app::MainWindow>(*host, environment, registry, files, codePage, shell,
                                             picture);
    host->ShowForm(main->Form(), *main);
    // The settings page with the default content. Not through the configure command: with no
    // desktop.js beside the test it would first show its notice in a modal message box.
    app::MainControls& c = main->State().controls;
    app::SwitchFrame(*c.frm_name, *c.frm_main, *c.frm_store, "Настройка");
    app::LoadDefaultContent(main->State());
    Show();
  }

  void TearDown() override {
    host.reset();  // the windows go before the controls they show
    main.reset();
  }

  // Brings the windows in line with what a handler called directly has changed.
  void Show() { host->ShowForm(main->Form(), *main); }

  HWND Box(const std::string& name, int index = -1) {
    Control* control = main->Form().Find(name, index);
    if (control == nullptr) return nullptr;
    return host->WindowOf(*control);
  }

  // Presses Tab in the window that has the focus, through the program's own message loop, and
  // returns the window that has it afterwards.
  HWND PressTab() {
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    PostMessageW(GetFocus(), WM_KEYUP, VK_TAB, 0xC0000001);
    PostQuitMessage(0);  // delivered once the keys are handled: the loop returns
    host->RunMessageLoop();
    return GetFocus();
  }

  // The windows that Tab visits, starting from `first`, until it comes back to it.
  std::vector<HWND> TabCycle(HWND first) {
    SetFocus(first);
    std::vector<HWND> visited{GetFocus()};
    for (int presses = 0; presses < 60; ++presses) {
      HWND next = PressTab();
      if (next == first || next == nullptr) break;
      visited.push_back(next);
    }
    return visited;
  }

  Win32Environment environment;
  Win32Registry registry;
  Win32FileSystem files;
  SystemCodePage codePage;
  mirella::testing::FakeDesktopShell shell;
  mirella::testing::FakeDesktopPicture picture;
  std::unique_ptr<Win32Host> host;
  std::unique_ptr<app::MainWindow> main;
};

TEST_F(KeyboardTest, TabWalksTheGeneralPageTopToBottomAndWrapsAround) {
  const std::vector<HWND> expected{Box("theme"), Box("title"), Box("col_1_title"),
                                   Box("col_2_title"), Box("desktop")};
  for (HWND box : expected) ASSERT_NE(box, nullptr);
  EXPECT_EQ(TabCycle(expected[0]), expected);
  EXPECT_EQ(GetFocus(), expected[0]) << "Tab after the last box comes back to the first";
}

TEST_F(KeyboardTest, TabWalksAnIconPageEntryByEntryAndSkipsTheHiddenPages) {
  app::OpenIconPage(main->State(), 2);
  Show();
  std::vector<HWND> expected;
  for (int entry = 5; entry <= 10; ++entry) {
    expected.push_back(Box("ico_title", entry));
    expected.push_back(Box("ico_desc", entry));
    expected.push_back(Box("icon_link", entry));
  }
  for (HWND box : expected) ASSERT_NE(box, nullptr);
  EXPECT_EQ(TabCycle(expected[0]), expected);
  // The focus arriving by Tab is no click: the highlight stays on the first entry.
  const app::MainControls& c = main->State().controls;
  EXPECT_EQ(c.ico_selected[1]->bounds.left, c.ico[5]->bounds.left);
  EXPECT_EQ(c.ico_selected[1]->bounds.top, c.ico[5]->bounds.top);
}

// Answers the input box once it is up: types `text` into its input line and presses `key`.
struct InputBoxScript {
  std::wstring text;
  WPARAM key = VK_RETURN;
  int ticks = 0;
  bool answered = false;
};
InputBoxScript* script = nullptr;

void CALLBACK AnswerInputBox(HWND, UINT, UINT_PTR timer, DWORD) {
  if (script == nullptr || script->answered) return;
  HWND box = FindWindowW(L"MirellaInputBox", nullptr);
  HWND focus = GetFocus();
  if (box != nullptr && IsWindowVisible(box) && focus != nullptr && IsChild(box, focus)) {
    script->answered = true;
    KillTimer(nullptr, timer);
    SetWindowTextW(focus, script->text.c_str());
    PostMessageW(focus, WM_KEYDOWN, script->key, 1);
    PostMessageW(focus, WM_KEYUP, script->key, 0xC0000001);
  } else if (++script->ticks > 200) {
    KillTimer(nullptr, timer);
    PostQuitMessage(0);  // the box never came up: end its loop so that the test fails, not hangs
  }
}

std::optional<std::string> AskWithKeys(Win32Host& host, const std::wstring& text, WPARAM key) {
  InputBoxScript answer{text, key};
  script = &answer;
  SetTimer(nullptr, 0, 20, &AnswerInputBox);
  std::optional<std::string> result = host.InputBox("Путь:", "Выбрать файл...", "");
  script = nullptr;
  EXPECT_TRUE(answer.answered) << "the input box did not come up with its input line focused";
  // A quit passed on by a box that never came up would end the next loop at once.
  MSG quit{};
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  return result;
}

TEST_F(KeyboardTest, TheInputBoxTakesEnterAsOkAndEscapeAsCancel) {
  EXPECT_EQ(AskWithKeys(*host, L"C:\\Игры\\Моя игра.exe", VK_RETURN),
            std::optional<std::string>("C:\\Игры\\Моя игра.exe"));
  EXPECT_EQ(AskWithKeys(*host, L"C:\\не то", VK_ESCAPE), std::nullopt);
  EXPECT_TRUE(IsWindowEnabled(host->WindowOf(main->Form()))) << "the box gave its owner back";
}

}  // namespace
}  // namespace mirella::ui::win32
