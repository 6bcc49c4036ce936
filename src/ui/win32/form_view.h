#pragma once
// The windows of one form: the top-level window, a child window per windowed control, and the
// timers of the form's kTimer controls. Sync() brings them all in line with the tree.

#include <windows.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/focus_tracker.h"
#include "ui/host.h"
#include "ui/win32/container_window.h"
#include "ui/win32/event_dispatcher.h"
#include "ui/win32/render_resources.h"
#include "win32/dpi.h"

namespace mirella::ui::win32 {

class NamedAccessible;

class FormView {
 public:
  // Creates the form's windows, hidden, centred on the screen.
  FormView(Control& form, FormEvents& events, EventDispatcher& dispatcher,
           RenderResources& resources);
  ~FormView();
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;

  Control& Form() { return form_; }
  FormEvents& Events() { return events_; }
  RenderResources& Resources() { return resources_; }
  HWND Handle() const;
  // The window of a windowed control of this form (the form's own for the form), or null.
  HWND WindowOf(const Control& control) const;
  int Dpi() const { return dpi_; }

  // After its load step the form may show; a closed form is hidden, its timers stopped, and
  // raises no more events.
  void SetLoaded() { loaded_ = true; }
  bool IsClosed() const { return closed_; }
  void Close();

  // Positions, visibility, texts, fonts, colours, items, tooltips, timers, then a repaint.
  void Sync();

  // Notifications from the windows.
  void RaiseMouseMove(Control& control);
  void RaiseClick(Control& control);
  void RaiseTimer(UINT_PTR timerId);
  void RaiseCloseRequested();
  void OnChildCommand(HWND child, UINT code);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void DrawButton(const DRAWITEMSTRUCT& item);
  HBRUSH ColourTextBox(HDC dc, HWND textBox);

  // The keyboard, as the forms' message loop hands it over before dispatching: Tab and
  // Shift+Tab, the arrows, Enter, Space and Escape. True when the key was the form's to handle.
  bool TranslateKey(const MSG& message);
  // The form became active: the focus goes back to the control that had it.
  void RestoreFocus();
  // The control that holds the keyboard focus, null for the form itself.
  Control* KeyboardFocus() const { return focus_.Focused(); }
  // Gives the control the focus, as assistive technology may ask; false when it takes none.
  bool FocusControl(Control& control);
  // The windowless child of `container` that shows the focus cue, or null. The cue shows once
  // the keyboard has moved the focus, as Windows shows its cues.
  const Control* FocusCueIn(const Control& container) const;

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
  Control* ContainerOf(const Control& control) const;
  ControlWindow* Record(HWND handle);
  ControlWindow& EnsureWindow(Control& control, HWND parent, bool& created);
  // Brings one control's window in line with the control: place, font, text, colours, items,
  // tooltip, enabled and visible.
  void SyncWindow(ControlWindow& record, const Control& container);
  void SyncItems(ControlWindow& record);
  void SyncTooltip(ControlWindow& record);
  void SyncForm();
  void SyncTimers(const std::vector<Control*>& timers);
  void AnnounceNameChanges(const std::vector<Control*>& tree,
                           const std::set<const Control*>& live);
  void StopTimers();
  void RestackChildren(Control& container);
  static void ReleaseAccessible(ControlWindow& record);
  LRESULT AnswerGetObject(ControlWindow& record, WPARAM wParam);
  // The window that holds the focus for a control: its own, its container's for a windowless
  // one, the form's for none.
  HWND FocusWindowOf(const Control* control) const;
  // Moves the windows' focus to the control (null: the form); Tab selects a text box's text.
  void ApplyFocus(Control* control, bool byTab);
  void OnFocusArrived(Control& control);

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
  FocusTracker focus_;
  const Control* applied_ = nullptr;  // the focus last given to the windows
  // The names clients could last read, to announce changes (AnnounceNameChanges).
  std::map<const Control*, std::string> names_;
  bool focusCues_ = false;
};

}  // namespace mirella::ui::win32
