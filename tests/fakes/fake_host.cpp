#include "fakes/fake_host.h"

#include <algorithm>

namespace mirella::testing {

namespace {

void CollectTimers(ui::Control& control, std::vector<ui::Control*>& timers) {
  if (control.kind == ui::ControlKind::kTimer) timers.push_back(&control);
  for (auto& child : control.children) CollectTimers(*child, timers);
}

}  // namespace

ui::MessageAnswer FakeHost::ShowMessage(const std::string& text, ui::MessageIcon icon,
                                        ui::MessageButtons buttons, const std::string& title) {
  messages.push_back({text, icon, buttons, title});
  if (!messageAnswers.empty()) {
    const ui::MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
  }
  return buttons == ui::MessageButtons::kOk ? ui::MessageAnswer::kOk : ui::MessageAnswer::kNo;
}

std::optional<std::string> FakeHost::InputBox(const std::string& prompt, const std::string& title,
                                              const std::string& initialText) {
  inputs.push_back({prompt, title, initialText});
  if (inputAnswers.empty()) return std::nullopt;
  std::optional<std::string> answer = inputAnswers.front();
  inputAnswers.pop_front();
  return answer;
}

int FakeHost::PopupMenu(const ui::Control& form, const std::vector<ui::MenuItem>& items,
                        int xTwips, int yTwips) {
  popups.push_back({&form, items, xTwips, yTwips});
  if (popupChoices.empty()) return -1;
  const int choice = popupChoices.front();
  popupChoices.pop_front();
  return choice;
}

void FakeHost::ShowForm(ui::Control& form, ui::FormEvents& events) {
  shownForms.push_back(&form);
  open_.push_back({&form, &events});
  events.Load(form);
}

void FakeHost::CloseForm(ui::Control& form) {
  std::erase_if(open_, [&](const OpenForm& open) { return open.form == &form; });
}

bool FakeHost::IsShown(const ui::Control& form) const {
  return std::any_of(open_.begin(), open_.end(),
                     [&](const OpenForm& open) { return open.form == &form; });
}

// Brings the armed list in line with the tree: timers of closed forms and disabled timers drop
// out, newly enabled ones start counting from now.
void FakeHost::ArmTimers() {
  std::vector<ArmedTimer> next;
  for (const OpenForm& open : open_) {
    std::vector<ui::Control*> timers;
    CollectTimers(*open.form, timers);
    for (ui::Control* timer : timers) {
      if (!timer->enabled || timer->interval <= 0) continue;
      auto armed = std::find_if(armed_.begin(), armed_.end(),
                                [&](const ArmedTimer& a) { return a.timer == timer; });
      next.push_back(armed != armed_.end() ? *armed
                                           : ArmedTimer{timer, open.events, nowMs + timer->interval});
    }
  }
  armed_ = std::move(next);
}

int FakeHost::RunMessageLoop(int maxTicks) {
  int ticks = 0;
  while (!quit() && ticks < maxTicks) {
    ArmTimers();
    if (armed_.empty()) break;
    auto due = std::min_element(armed_.begin(), armed_.end(), [](const ArmedTimer& a, const ArmedTimer& b) {
      return a.dueMs < b.dueMs;
    });
    nowMs = due->dueMs;
    due->dueMs += due->timer->interval;
    ui::Control& timer = *due->timer;
    ui::FormEvents& events = *due->events;
    ++ticks;
    events.Timer(timer);
  }
  return ticks;
}

}  // namespace mirella::testing
