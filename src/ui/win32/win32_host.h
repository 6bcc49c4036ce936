#pragma once
// The form layer on Win32: shows any control tree as windows, routes input to the forms' events,
// and provides the host services (message and input boxes, popup menu, shell, quitting).

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/host.h"
#include "ui/win32/event_dispatcher.h"
#include "win32/handles.h"

namespace mirella::ui::win32 {

class FormView;
class RenderResources;
class HostMessageWindow;

class Win32Host : public Host, private EventDispatcher {
 public:
  // `instance` is the module whose resources hold the pictures, the cursor and the icon.
  explicit Win32Host(HINSTANCE instance);
  ~Win32Host() override;
  Win32Host(const Win32Host&) = delete;
  Win32Host& operator=(const Win32Host&) = delete;

  // Runs until Quit, or until the last form has closed; returns the exit code.
  int RunMessageLoop();

  // The window showing a windowed control or a form, or null; for tests and diagnostics.
  HWND WindowOf(const Control& control) const;
  // The control of a shown form that holds the keyboard focus, null for none or the form itself;
  // for tests and diagnostics.
  Control* KeyboardFocus(const Control& form) const;

  MessageAnswer ShowMessage(const std::string& text, MessageIcon icon, MessageButtons buttons,
                            const std::string& title) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& initialText) override;
  int PopupMenu(const Control& form, const std::vector<MenuItem>& items, int xTwips,
                int yTwips) override;
  void ShellOpen(const std::string& target) override;
  void ShowForm(Control& form, FormEvents& events) override;
  void CloseForm(Control& form) override;
  void Quit() override;

 private:
  friend class HostMessageWindow;

  void Dispatch(FormView& origin, const std::function<void(FormEvents&)>& handler) override;
  void CloseRequested(FormView& origin) override;
  FormView* OpenView(const Control& form) const;
  HWND OwnerWindow() const;
  void SyncAll();
  void ReportError(const char* what);
  void ReleaseClosedForms();
  void PrepareWhileFirstFormShows();

  HINSTANCE instance_;
  ComApartment com_;
  std::unique_ptr<RenderResources> resources_;
  std::unique_ptr<HostMessageWindow> messages_;
  std::vector<std::unique_ptr<FormView>> forms_;
  // Closed forms wait here until no handler of theirs can still be running.
  std::vector<std::unique_ptr<FormView>> closed_;
  int depth_ = 0;
  bool quitting_ = false;
  bool reportingError_ = false;
  bool firstFormShown_ = false;
};

}  // namespace mirella::ui::win32
