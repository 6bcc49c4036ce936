// The keyboard on the real windows: the focus follows the pages, Tab walks every control of the
// page that is showing in reading order without clicking it, Enter, Space, the arrows and Escape
// work as in a dialog, and the input box takes Enter as OK and Escape as Cancel.

#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/wizard/commands.h"
#include "app/wizard/content_view.h"
#include "app/wizard/icon_editor.h"
#include "app/wizard/link_menu.h"
#include "app/wizard/main_window.h"
#include "app/wizard/navigation.h"
#include "fakes/fake_desktop_shell.h"
#include "generate/code_page_win32.h"
#include "system/environment_win32.h"
#include "system/file_system_win32.h"
#include "system/registry_win32.h"
#include "ui/win32/twips.h"
#include "ui/win32/win32_host.h"
#include "win32/dpi.h"
#include "win32/gui_test_support.h"
#include "win32/wide_text.h"

namespace mirella::ui::win32 {
namespace {

// A box or popup menu of this thread that is up, or null.
HWND OpenBoxOrMenu() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (!IsWindowVisible(window)) return TRUE;
        if (wcscmp(name, L"#32770") != 0 && wcscmp(name, L"#32768") != 0) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

struct KeyScript {
  std::function<void(HWND)> answer;
  HWND modal = nullptr;
  int idleTicks = 0;
  int modalTicks = 0;
};
KeyScript* keyScript = nullptr;

// Ends the test's message loop once the key has been handled: a box or menu it opened is
// answered first, and the loop ends when nothing is up any more.
void CALLBACK SettleAfterKey(HWND, UINT, UINT_PTR timer, DWORD) {
  if (keyScript == nullptr) return;
  if (HWND modal = OpenBoxOrMenu()) {
    if (keyScript->modal == nullptr && keyScript->answer) {
      keyScript->modal = modal;
      keyScript->answer(modal);
    } else if (keyScript->modal == nullptr || ++keyScript->modalTicks > 200) {
      keyScript->modal = modal;
      PostMessageW(modal, WM_KEYDOWN, VK_ESCAPE, 1);  // unexpected or stuck: close it, fail
      PostMessageW(modal, WM_CLOSE, 0, 0);
    }
    return;
  }
  if (++keyScript->idleTicks > 1) {
    KillTimer(nullptr, timer);
    PostQuitMessage(0);
  }
}

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

  // Presses a key in the window that has the focus, through the program's own message loop,
  // and returns once the key is handled and no box or menu it opened is still up. `answer` is
  // given the box or menu window once it is up, and must close it.
  void Press(WPARAM key, const std::function<void(HWND)>& answer = {}) {
    KeyScript script{answer};
    keyScript = &script;
    SetTimer(nullptr, 0, 30, &SettleAfterKey);
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
    host->RunMessageLoop();
    keyScript = nullptr;
    EXPECT_EQ(static_cast<bool>(answer), script.modal != nullptr)
        << "key " << key << (answer ? " opened no box or menu" : " opened a box or menu");
  }

  void PressShiftTab() {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Press(VK_TAB);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }

  Control* Focused() { return host->KeyboardFocus(main->Form()); }

  // The pixels of a windowless control as its container shows them now.
  std::vector<COLORREF> Pixels(Control& control) {
    HWND window = FocusWindowFor(control);
    UpdateWindow(window);
    const RECT rect = PixelRectIn(control, *control.parent, WindowDpi(window));
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(window);
    for (int y = rect.top; y < rect.bottom; ++y) {
      for (int x = rect.left; x < rect.right; ++x) pixels.push_back(GetPixel(dc, x, y));
    }
    ReleaseDC(window, dc);
    return pixels;
  }
  Control& C(const std::string& name, int index = -1) { return *main->Form().Find(name, index); }

  // The window that must hold the system's focus for a control: its own, or its container's.
  HWND FocusWindowFor(Control& control) {
    if (HWND own = host->WindowOf(control)) return own;
    for (Control* c = control.parent; c != nullptr; c = c->parent) {
      if (HWND container = host->WindowOf(*c)) return container;
    }
    return nullptr;
  }

  // The controls that Tab visits from the focused one until it comes back round, each checked to
  // hold the system's focus too.
  std::vector<Control*> TabRound() {
    Control* first = Focused();
    std::vector<Control*> visited;
    for (Control* control = first; visited.size() < 60;) {
      visited.push_back(control);
      EXPECT_EQ(GetFocus(), FocusWindowFor(*control)) << control->name << "(" << control->index << ")";
      Press(VK_TAB);
      control = Focused();
      if (control == first || control == nullptr) break;
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

TEST_F(KeyboardTest, TabWalksTheGeneralPageInReadingOrderAndWrapsAround) {
  EXPECT_EQ(Focused(), &C("theme")) << "the page opens on its first control";
  const std::vector<Control*> expected{
      &C("theme"),       &C("title"),       &C("col_1_title"), &C("btn_icons", 1),
      &C("col_2_title"), &C("btn_icons", 2), &C("desktop"),    &C("label", 8),
      &C("label", 7),    &C("label", 6)};
  EXPECT_EQ(TabRound(), expected);
  EXPECT_EQ(Focused(), expected[0]) << "Tab after the last control comes back to the first";
}

TEST_F(KeyboardTest, TabWalksAnIconPageEntryByEntryAndSkipsTheHiddenPages) {
  app::OpenIconPage(main->State(), 2);
  Show();
  std::vector<Control*> expected;
  for (int entry = 5; entry <= 10; ++entry) {
    for (const char* name : {"ico", "ico_title", "ico_desc", "icon_link"}) {
      expected.push_back(&C(name, entry));
    }
  }
  for (int label : {8, 7, 9}) expected.push_back(&C("label", label));
  EXPECT_EQ(Focused(), expected[0]);
  EXPECT_EQ(TabRound(), expected);
  // The focus arriving by Tab is no click: the highlight stays on the first entry.
  const app::MainControls& c = main->State().controls;
  EXPECT_EQ(c.ico_selected[1]->bounds.left, c.ico[5]->bounds.left);
  EXPECT_EQ(c.ico_selected[1]->bounds.top, c.ico[5]->bounds.top);
}

// The settings page from the keyboard alone: the "Значки" label shows the focus cue and opens
// its page; Enter on a picture opens the gallery, the arrows walk it and Enter picks; Enter on a
// link button opens the link menu where a click would, and the menu's own keys choose; Escape
// goes back, then asks before cancelling.
TEST_F(KeyboardTest, TheSettingsPageWorksFromTheKeyboardAlone) {
  app::MainWindowState& state = main->State();
  for (int presses = 0; Focused() != &C("btn_icons", 2) && presses < 10; ++presses) Press(VK_TAB);
  ASSERT_EQ(Focused(), &C("btn_icons", 2));
  const std::vector<COLORREF> focused = Pixels(C("btn_icons", 2));
  Press(VK_TAB);
  EXPECT_EQ(Focused(), &C("desktop"));
  EXPECT_NE(Pixels(C("btn_icons", 2)), focused) << "the focused label shows a focus cue";
  PressShiftTab();
  EXPECT_EQ(Focused(), &C("btn_icons", 2));
  EXPECT_EQ(Pixels(C("btn_icons", 2)), focused);

  Press(VK_RETURN);
  EXPECT_TRUE(C("frm_frm_store", 2).visible);
  EXPECT_TRUE(C("label", 9).visible);
  EXPECT_EQ(Focused(), &C("ico", 5));
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(Focused(), &C("ico", 7));

  Press(VK_SPACE);
  EXPECT_TRUE(C("ico_bar").visible);
  EXPECT_EQ(Focused(), &C("ico_item", 0));
  Press(VK_RIGHT);
  Press(VK_DOWN);
  EXPECT_EQ(Focused(), &C("ico_item", 5));
  Press(VK_RETURN);
  EXPECT_FALSE(C("ico_bar").visible);
  EXPECT_EQ(state.content.EntryPicture[7], 5);
  EXPECT_EQ(Focused(), &C("ico", 7)) << "the focus goes back to the entry";

  for (int presses = 0; presses < 3; ++presses) Press(VK_TAB);
  ASSERT_EQ(Focused(), &C("icon_link", 7));
  ASSERT_TRUE(state.content.EntryLink[7].empty());
  HWND form = host->WindowOf(main->Form());
  RECT menu{};
  Press(VK_RETURN, [&](HWND popup) {
    GetWindowRect(popup, &menu);
    PostMessageW(form, WM_KEYDOWN, VK_DOWN, 1);  // the first place, "Мой компьютер"
    PostMessageW(form, WM_KEYDOWN, VK_RETURN, 1);
  });
  const app::TwipsPoint corner = app::LinkMenuPoint(state, 7);
  POINT expected{TwipsToPixels(corner.x, WindowDpi(form)), TwipsToPixels(corner.y, WindowDpi(form))};
  ClientToScreen(form, &expected);
  EXPECT_EQ(menu.left, expected.x) << "the menu opens where a click opens it";
  EXPECT_EQ(menu.top, expected.y);
  EXPECT_EQ(state.content.EntryLink[7], "file:///" + state.content.SystemDrive.substr(0, 2) + "/");
  EXPECT_EQ(C("icon_link", 7).accessibleName, "Ссылка: Моя папка 1, выбрана");
  EXPECT_EQ(Focused(), &C("icon_link", 7));

  Press(VK_ESCAPE);
  EXPECT_TRUE(C("frm_frm_store", 0).visible) << "Escape on an icon page goes back";
  EXPECT_TRUE(C("label", 6).visible);
  EXPECT_EQ(Focused(), &C("theme"));
  std::wstring question;
  Press(VK_ESCAPE, [&](HWND box) {
    wchar_t title[64] = {};
    GetWindowTextW(box, title, 64);
    question = title;
    PostMessageW(box, WM_COMMAND, IDNO, 0);
  });
  EXPECT_EQ(question, L"Отмена") << "Escape on the settings page asks as Cancel does";
  EXPECT_TRUE(IsWindowVisible(form)) << "answered No, the program goes on";
  EXPECT_EQ(GetFocus(), host->WindowOf(C("theme"))) << "the focus comes back after the box";
}

// The main menu opens on its first command; the arrows move between the commands; Enter runs
// one; Escape goes back from the about page and does nothing on the main menu.
TEST_F(KeyboardTest, TheMainMenuAndTheAboutPageWorkFromTheKeyboard) {
  app::MainControls& c = main->State().controls;
  app::SwitchFrame(*c.frm_name, *c.frm_store, *c.frm_main, "Главное меню");
  Show();
  EXPECT_EQ(Focused(), &C("label", 0));
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(Focused(), &C("label", 3));
  Press(VK_RETURN);
  EXPECT_TRUE(c.frm_help->visible);
  EXPECT_EQ(Focused(), &C("label", 5));
  EXPECT_EQ(GetFocus(), host->WindowOf(*c.frm_help));
  Press(VK_ESCAPE);
  EXPECT_TRUE(c.frm_main->visible);
  EXPECT_EQ(Focused(), &C("label", 0));
  Press(VK_ESCAPE);
  EXPECT_TRUE(c.frm_main->visible) << "Escape does nothing on the main menu";
  EXPECT_EQ(c.frm_name->text, "Главное меню");
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
