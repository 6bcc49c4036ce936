#pragma once
// The windows of one form: the top-level window, a child window per windowed control, and the
// timers of the form's kTimer controls. Sync() brings them all in line with the tree; the
// keyboard (FormKeyboard) and the announcing of changed names (NameAnnouncer) follow it.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/host.h"
#include "ui/win32/container_site.h"
#include "ui/win32/container_window.h"
#include "ui/win32/event_dispatcher.h"
#include "ui/win32/form_keyboard.h"
#include "ui/win32/name_announcer.h"
#include "ui/win32/render_resources.h"
#include "win32/dpi.h"

namespace mirella::ui::win32 {

class NamedAccessible;

class FormView final : public ContainerSite {
 public:
  // Creates the form's windows, hidden, centred on the screen.
  FormView(Control& form, FormEvents& events, EventDispatcher& dispatcher,
           RenderResources& resources);
  ~FormView();
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;

  Control& Form() { return form_; }
  FormEvents& Events() { return events_; }
  HWND Handle() const;

  // After its load step the form may show; a closed form is hidden, its timers stopped, and
  // raises no more events.
  void SetLoaded() { loaded_ = true; }
  bool IsClosed() const { return closed_; }
  void Close();

  // Positions, visibility, texts, fonts, colours, items, tooltips, timers, then a repaint.
  void Sync();

  // The keyboard, as the forms' message loop hands it over before dispatching: Tab and
  // Shift+Tab, the arrows, Enter, Space and Escape. True when the key was the form's to handle.
  bool TranslateKey(const MSG& message);

  // ContainerSite: what the form's container windows and accessible objects reach.
  RenderResources& Resources() override { return resources_; }
  int Dpi() const override { return dpi_; }
  HWND WindowOf(const Control& control) const override;
  Control* KeyboardFocus() const override { return keyboard_.Focused(); }
  bool FocusControl(Control& control) override { return keyboard_.FocusControl(control); }
  const Control* FocusCueIn(const Control& container) const override {
    return keyboard_.FocusCueIn(container);
  }
  void RestoreFocus() override { keyboard_.RestoreFocus(); }
  void RaiseMouseMove(Control& control) override;
  void RaiseClick(Control& control) override;
  void RaiseTimer(UINT_PTR timerId) override;
  void RaiseCloseRequested() override;
  void OnChildCommand(HWND child, UINT code) override;
  void OnDpiChanged(int dpi, const RECT& suggested) override;
  void DrawButton(const DRAWITEMSTRUCT& item) override;
  HBRUSH ColourTextBox(HDC dc, HWND textBox) override;

 private:
  // What was last applied to a control's window, so that Sync only touches what changed.
  struct ControlWindow {
    Control* control = nullptr;
    ControlKind kind = ControlKind::kLabel;
    HWND handle = nullptr;
    std::unique_ptr<ContainerWindow> container;  // frames
    RECT rect{-1, -1, -1, -1};
    int visible = -1;
    int enabled = -1;
    HFONT font = nullptr;
    std::string text;
    std::vector<std::string> items;
    int selectedItem = -2;
    Colour foreColour = 0xFFFFFFFF;
    Colour backColour = 0xFFFFFFFF;
    std::string tooltip;
    NamedAccessible* accessible = nullptr;  // made on the first request of assistive technology
  };
  struct RunningTimer {
    UINT_PTR id = 0;
    int interval = 0;
  };

  static LRESULT CALLBACK ChildProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR subclassId, DWORD_PTR data);
  void Raise(Control& control, void (FormEvents::*event)(Control&));
  ControlWindow* Record(HWND handle);
  ControlWindow& EnsureWindow(Control& control, HWND parent, bool& created);
  // Brings one control's window in line with the control: place, font, text, colours, items,
  // tooltip, enabled and visible.
  void SyncWindow(ControlWindow& record, const Control& container);
  void SyncItems(ControlWindow& record);
  void SyncTooltip(ControlWindow& record);
  void SyncForm();
  void SyncTimers(const std::vector<Control*>& timers);
  void StopTimers();
  void RestackChildren(Control& container);
  static void ReleaseAccessible(ControlWindow& record);
  LRESULT AnswerGetObject(ControlWindow& record, WPARAM wParam);

  Control& form_;
  FormEvents& events_;
  EventDispatcher& dispatcher_;
  RenderResources& resources_;
  ContainerWindow window_;
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  bool loaded_ = false;
  bool closed_ = false;
  bool syncing_ = false;
  SIZE clientSize_{-1, -1};
  std::string caption_;
  int shown_ = -1;
  std::map<const Control*, ControlWindow> windows_;
  std::map<const Control*, RunningTimer> timers_;
  UINT_PTR nextTimerId_ = 1;
  HWND tooltip_ = nullptr;
  FormKeyboard keyboard_;
  NameAnnouncer names_;
};

}  // namespace mirella::ui::win32
