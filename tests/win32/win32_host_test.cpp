// The Win32 renderer against real windows: geometry, hit-testing, events, syncing the tree after
// a handler, text boxes, timers and a handler that closes its own form.

#include "ui/win32/win32_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/win32/twips.h"
#include "win32/gui_test_support.h"
#include "win32/wide_text.h"

namespace mirella::ui::win32 {
namespace {

using namespace std::chrono_literals;

std::string Name(const Control& control) {
  return control.index >= 0 ? control.name + "(" + std::to_string(control.index) + ")"
                            : control.name;
}

struct RecordingEvents : FormEvents {
  std::vector<std::string> log;
  std::function<void(Control&)> onClick;
  std::function<void(Control&)> onTimer;
  int loads = 0;

  void Load(Control&) override { ++loads; }
  void Click(Control& control) override {
    log.push_back("Click " + Name(control));
    if (onClick) onClick(control);
  }
  void MouseMove(Control& control) override { log.push_back("MouseMove " + Name(control)); }
  void Timer(Control& control) override {
    log.push_back("Timer " + Name(control));
    if (onTimer) onTimer(control);
  }
  void Change(Control& control) override { log.push_back("Change " + Name(control)); }
  std::string Last() const { return log.empty() ? "" : log.back(); }
};

Control& AddChild(Control& parent, ControlKind kind, const std::string& name, int index,
                  TwipsRect bounds) {
  auto control = std::make_unique<Control>();
  control->kind = kind;
  control->name = name;
  control->index = index;
  control->bounds = bounds;
  return parent.Add(std::move(control));
}

std::wstring WindowText(HWND window) {
  wchar_t text[256]{};
  GetWindowTextW(window, text, 256);
  return text;
}

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

// A form like the main window: a transparent label over a hover area, a frame with a label and
// two text boxes, and a timer that starts disabled.
class Win32HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!mirella::testing::CanCreateWindows()) GTEST_SKIP() << "no display for windows";
    form.kind = ControlKind::kForm;
    form.name = "demo";
    form.text = "Проба";
    form.border = true;
    form.bounds = {0, 0, 5970, 5880};
    label = &AddChild(form, ControlKind::kLabel, "label", 0, {600, 600, 2000, 375});
    label->text = "Метка";
    label->transparent = true;
    label->pointer = MousePointer::kHand;
    hover = &AddChild(form, ControlKind::kImage, "frm_pal", 0, {0, 0, 5970, 3000});
    frame = &AddChild(form, ControlKind::kFrame, "frm_main", -1, {360, 3120, 5000, 2505});
    frame->backColour = Rgb(0, 119, 251);
    inner = &AddChild(*frame, ControlKind::kLabel, "inner", -1, {120, 120, 2000, 300});
    inner->text = "Внутри";
    title = &AddChild(*frame, ControlKind::kTextBox, "title", -1, {120, 600, 3000, 315});
    second = &AddChild(*frame, ControlKind::kTextBox, "second", -1, {120, 1050, 3000, 315});
    timer = &AddChild(form, ControlKind::kTimer, "load", -1, {});
    timer->interval = 10;
    timer->enabled = false;

    host = std::make_unique<Win32Host>(GetModuleHandleW(nullptr));
    host->ShowForm(form, events);
    formWindow = host->WindowOf(form);
    ASSERT_NE(formWindow, nullptr);
    dpi = WindowDpi(formWindow);
  }

  // The pixel at the middle of a control, in its container's client area.
  POINT Middle(const Control& control) const {
    const RECT rect = PixelRectIn(control, *control.parent, dpi);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  void MoveOver(HWND window, POINT point) {
    SendMessageW(window, WM_MOUSEMOVE, 0, Point(point.x, point.y));
  }
  void ClickAt(HWND window, POINT down, POINT up) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(down.x, down.y));
    SendMessageW(window, WM_LBUTTONUP, 0, Point(up.x, up.y));
  }

  Control form;
  Control* label = nullptr;
  Control* hover = nullptr;
  Control* frame = nullptr;
  Control* inner = nullptr;
  Control* title = nullptr;
  Control* second = nullptr;
  Control* timer = nullptr;
  RecordingEvents events;
  std::unique_ptr<Win32Host> host;
  HWND formWindow = nullptr;
  int dpi = 96;
};

TEST_F(Win32HostTest, ShowsTheFormWithItsClientAreaAndChildWindowsInPixels) {
  EXPECT_EQ(events.loads, 1);
  EXPECT_TRUE(IsWindowVisible(formWindow));
  EXPECT_EQ(WindowText(formWindow), L"Проба");
  RECT client{};
  GetClientRect(formWindow, &client);
  EXPECT_EQ(client.right, MulDiv(5970, dpi, 1440));
  EXPECT_EQ(client.bottom, MulDiv(5880, dpi, 1440));
  if (dpi == 96) {
    EXPECT_EQ(client.right, 398);
    EXPECT_EQ(client.bottom, 392);
  }
  // The text box sits in the frame's window, at its position relative to the frame.
  HWND box = host->WindowOf(*title);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(GetParent(box), host->WindowOf(*frame));
  RECT rect{};
  GetWindowRect(box, &rect);
  MapWindowPoints(nullptr, host->WindowOf(*frame), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, MulDiv(120, dpi, 1440));
  EXPECT_EQ(rect.top, MulDiv(600, dpi, 1440));
  EXPECT_EQ(rect.right - rect.left, MulDiv(3000, dpi, 1440));
  // Windowless controls get no window of their own.
  EXPECT_EQ(host->WindowOf(*label), nullptr);
}

TEST_F(Win32HostTest, MouseReachesTheTopmostWindowlessControlUnderIt) {
  MoveOver(formWindow, Middle(*label));
  EXPECT_EQ(events.Last(), "MouseMove label(0)");  // the label lies above the hover area
  MoveOver(formWindow, {2, 2});
  EXPECT_EQ(events.Last(), "MouseMove frm_pal(0)");
  MoveOver(formWindow, {2, MulDiv(5800, dpi, 1440)});
  EXPECT_EQ(events.Last(), "MouseMove demo");  // nothing there but the form
  MoveOver(host->WindowOf(*frame), Middle(*inner));
  EXPECT_EQ(events.Last(), "MouseMove inner");
}

TEST_F(Win32HostTest, AClickIsAPressAndReleaseOverTheSameControl) {
  ClickAt(formWindow, Middle(*label), Middle(*label));
  EXPECT_EQ(events.Last(), "Click label(0)");
  events.log.clear();
  ClickAt(formWindow, Middle(*label), {2, 2});
  EXPECT_TRUE(events.log.empty());
}

TEST_F(Win32HostTest, HiddenAndDisabledControlsAreNotHit) {
  label->visible = false;
  MoveOver(formWindow, Middle(*label));
  EXPECT_EQ(events.Last(), "MouseMove frm_pal(0)");
  label->visible = true;
  label->enabled = false;
  MoveOver(formWindow, Middle(*label));
  EXPECT_EQ(events.Last(), "MouseMove frm_pal(0)");
  // A hidden frame hides what is on it.
  frame->visible = false;
  SendMessageW(formWindow, WM_MOUSEMOVE, 0, 0);  // any event syncs the tree to the windows
  EXPECT_FALSE(IsWindowVisible(host->WindowOf(*title)));
}

TEST_F(Win32HostTest, ChangesMadeByAHandlerReachTheWindows) {
  events.onClick = [&](Control&) {
    title->visible = false;
    second->text = "Новый текст";
    form.text = "Другой заголовок";
    frame->bounds.left = 600;
  };
  ClickAt(formWindow, Middle(*label), Middle(*label));
  EXPECT_FALSE(IsWindowVisible(host->WindowOf(*title)));
  EXPECT_TRUE(IsWindowVisible(host->WindowOf(*second)));
  EXPECT_EQ(WindowText(host->WindowOf(*second)), L"Новый текст");
  EXPECT_EQ(WindowText(formWindow), L"Другой заголовок");
  RECT rect{};
  GetWindowRect(host->WindowOf(*frame), &rect);
  MapWindowPoints(nullptr, formWindow, reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, MulDiv(600, dpi, 1440));
  // Text set by the program is not the user's typing.
  EXPECT_EQ(events.log, std::vector<std::string>{"Click label(0)"});
}

TEST_F(Win32HostTest, TypingInATextBoxUpdatesTheTreeAndRaisesChange) {
  SetWindowTextW(host->WindowOf(*title), L"Мой стол");
  EXPECT_EQ(events.Last(), "Change title");
  EXPECT_EQ(title->text, "Мой стол");
}

TEST_F(Win32HostTest, ATimerTicksWhileEnabledAndStopsWhenAHandlerDisablesIt) {
  int ticks = 0;
  events.onTimer = [&](Control&) { ++ticks; };
  mirella::testing::PumpFor(50ms);
  EXPECT_EQ(ticks, 0);  // disabled at the start
  events.onClick = [&](Control&) { timer->enabled = true; };
  events.onTimer = [&](Control& tick) {
    if (++ticks == 3) tick.enabled = false;
  };
  ClickAt(formWindow, Middle(*label), Middle(*label));
  EXPECT_TRUE(mirella::testing::PumpUntil([&] { return ticks >= 3; }, 5s));
  mirella::testing::PumpFor(150ms);
  EXPECT_EQ(ticks, 3);
}

TEST_F(Win32HostTest, AHandlerMayCloseItsOwnFormAndTheLoopEndsWithTheLastForm) {
  events.onClick = [&](Control&) { host->CloseForm(form); };
  PostMessageW(formWindow, WM_LBUTTONDOWN, MK_LBUTTON, Point(Middle(*label).x, Middle(*label).y));
  PostMessageW(formWindow, WM_LBUTTONUP, 0, Point(Middle(*label).x, Middle(*label).y));
  EXPECT_EQ(host->RunMessageLoop(), 0);
  EXPECT_EQ(events.Last(), "Click label(0)");
  EXPECT_FALSE(IsWindow(formWindow));
  EXPECT_EQ(host->WindowOf(form), nullptr);
}

TEST_F(Win32HostTest, TheCloseBoxClosesTheFormAfterTellingIt) {
  struct ClosingEvents : RecordingEvents {
    int closed = 0;
    void Closed(Control&) override { ++closed; }
  } closing;
  Control other;
  other.kind = ControlKind::kForm;
  other.bounds = {0, 0, 1500, 1500};
  host->ShowForm(other, closing);
  HWND window = host->WindowOf(other);
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(closing.closed, 1);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(host->WindowOf(other), nullptr);
  EXPECT_NE(host->WindowOf(form), nullptr);  // the other form stays open
  mirella::testing::PumpFor(20ms);             // the closed form is released before `other` goes
}

}  // namespace
}  // namespace mirella::ui::win32
