#include "ui/focus_tracker.h"

#include <set>
#include <vector>

namespace mirella::ui {

namespace {

void CollectPages(Control& container, std::vector<Control*>& out) {
  if (container.kind == ControlKind::kForm || container.kind == ControlKind::kFrame) {
    out.push_back(&container);
  }
  for (auto& child : container.children) CollectPages(*child, out);
}

bool IsInside(const Control& control, const std::set<const Control*>& pages) {
  for (const Control* c = &control; c != nullptr; c = c->parent) {
    if (pages.count(c) != 0) return true;
  }
  return false;
}

}  // namespace

Control* FocusTracker::MoveInOrder(bool backwards) {
  focused_ = NextInFocusOrder(form_, focused_, backwards);
  return focused_;
}

Control* FocusTracker::MoveInDirection(Direction direction) {
  if (focused_ != nullptr) {
    if (Control* neighbour = NeighbourInDirection(*focused_, direction)) focused_ = neighbour;
  }
  return focused_;
}

Control* FocusTracker::Update() {
  std::vector<Control*> pages;
  CollectPages(form_, pages);
  std::set<const Control*> justShown;
  for (Control* page : pages) {
    const bool shown = page->IsShown();
    auto found = shown_.find(page);
    if (shown && (found == shown_.end() || !found->second)) justShown.insert(page);
    shown_[page] = shown;
  }
  if (!justShown.empty()) {
    for (Control* control : FocusOrder(form_)) {
      if (!IsInside(*control, justShown)) continue;
      if (focused_ != nullptr && TakesFocus(*focused_)) returnTo_ = focused_;
      focused_ = control;
      return focused_;
    }
  }
  if (focused_ != nullptr && TakesFocus(*focused_)) return focused_;
  if (returnTo_ != nullptr && TakesFocus(*returnTo_)) {
    focused_ = returnTo_;
  } else {
    const std::vector<Control*> order = FocusOrder(form_);
    focused_ = order.empty() ? nullptr : order.front();
  }
  returnTo_ = nullptr;
  return focused_;
}

}  // namespace mirella::ui
