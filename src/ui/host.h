#pragma once
// The services the behaviour asks of the platform: windows, message and input boxes, the popup
// menu, the shell and quitting. The Win32 layer implements them; tests use a scripted fake.

#include <optional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace mirella::ui {

// The events of one form, each with the control that raised it.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void Load(Control& /*form*/) {}
  virtual void Click(Control& /*control*/) {}
  virtual void MouseMove(Control& /*control*/) {}
  virtual void Timer(Control& /*timer*/) {}
  // The user changed a text box; its `text` already holds the new text.
  virtual void Change(Control& /*textBox*/) {}
  // The user closed the form with its close box or Alt+F4.
  virtual void Closed(Control& /*form*/) {}
};

enum class MessageIcon { kNone, kInformation, kQuestion, kExclamation, kCritical };
enum class MessageButtons { kOk, kYesNo };
enum class MessageAnswer { kOk, kYes, kNo };

struct MenuItem {
  std::string caption;  // empty for a separator
  bool separator = false;
};

class Host {
 public:
  virtual ~Host() = default;
  // A standard message box, modal to the active form.
  virtual MessageAnswer ShowMessage(const std::string& text, MessageIcon icon,
                                    MessageButtons buttons, const std::string& title) = 0;
  // An input box with a prompt, a title and an input line; nullopt when cancelled.
  virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                              const std::string& initialText) = 0;
  // Shows a popup menu with its top-left corner at a point of the form's client area (twips) and
  // waits until it closes: the index of the chosen item, or -1 when none was chosen.
  virtual int PopupMenu(const Control& form, const std::vector<MenuItem>& items, int xTwips,
                        int yTwips) = 0;
  // Opens a file or web address with the shell; failures are not reported.
  virtual void ShellOpen(const std::string& target) = 0;
  // Creates the form's window, centred on the screen, runs events.Load and shows it.
  virtual void ShowForm(Control& form, FormEvents& events) = 0;
  // Destroys the form's window; its timers stop.
  virtual void CloseForm(Control& form) = 0;
  // Ends the program at once.
  virtual void Quit() = 0;
};

}  // namespace mirella::ui
