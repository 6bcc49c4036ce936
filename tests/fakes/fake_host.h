#pragma once
// A scripted host for unit tests of the windows' behaviour: message boxes, input boxes and popup
// menus answer from queues the test fills, and everything shown, opened or ended is recorded.
// RunMessageLoop runs the timers of the shown forms on a virtual clock.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/host.h"

namespace mirella::testing {

class FakeHost : public ui::Host {
 public:
  struct Message {
    std::string text;
    ui::MessageIcon icon;
    ui::MessageButtons buttons;
    std::string title;
  };
  struct Input {
    std::string prompt;
    std::string title;
    std::string initialText;
  };
  struct Popup {
    const ui::Control* form;
    std::vector<ui::MenuItem> items;
    int x;
    int y;
  };

  // Answers the next queued one; with none queued: OK for an OK box, No for a question.
  ui::MessageAnswer ShowMessage(const std::string& text, ui::MessageIcon icon,
                                ui::MessageButtons buttons, const std::string& title) override;
  // Answers the next queued one; with none queued the box is cancelled (nullopt).
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& initialText) override;
  // Answers the next queued choice; with none queued the menu closes without one (-1).
  int PopupMenu(const ui::Control& form, const std::vector<ui::MenuItem>& items, int xTwips,
                int yTwips) override;
  void ShellOpen(const std::string& target) override { shellOpens.push_back(target); }
  void ShowForm(ui::Control& form, ui::FormEvents& events) override;
  void CloseForm(ui::Control& form) override;
  void Quit() override { ++quitCount; }

  // Ticks the enabled timers of the shown forms in the order a real clock would, each `interval`
  // ms after it was enabled or last ticked, until Quit is called, no timer is enabled, or
  // `maxTicks` ticks have run. Returns the number of ticks.
  int RunMessageLoop(int maxTicks = 1000000);

  bool IsShown(const ui::Control& form) const;
  bool quit() const { return quitCount > 0; }

  // Scripted answers.
  std::deque<ui::MessageAnswer> messageAnswers;
  std::deque<std::optional<std::string>> inputAnswers;
  std::deque<int> popupChoices;

  // What happened.
  std::vector<Message> messages;
  std::vector<Input> inputs;
  std::vector<Popup> popups;
  std::vector<std::string> shellOpens;
  std::vector<const ui::Control*> shownForms;  // in the order they were shown
  int quitCount = 0;
  long long nowMs = 0;

 private:
  struct OpenForm {
    ui::Control* form;
    ui::FormEvents* events;
  };
  struct ArmedTimer {
    ui::Control* timer;
    ui::FormEvents* events;
    long long dueMs;
  };
  void ArmTimers();

  std::vector<OpenForm> open_;
  std::vector<ArmedTimer> armed_;
};

}  // namespace mirella::testing
