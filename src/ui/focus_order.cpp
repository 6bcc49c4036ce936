#include "ui/focus_order.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "ui/control_kinds.h"

namespace mirella::ui {

namespace {

// Beside it rather than below: the other's middle lies within the first's height.
bool OnOneLine(const Control& first, const Control& other) {
  const int middle = other.bounds.top + other.bounds.height / 2;
  return middle >= first.bounds.top && middle < first.bounds.top + first.bounds.height;
}

void CollectInReadingOrder(Control& container, std::vector<Control*>& out) {
  std::vector<Control*> units;
  for (auto& child : container.children) {
    if (!child->visible) continue;
    if (IsContainer(child->kind) || TakesFocus(*child)) units.push_back(child.get());
  }
  for (std::size_t start = 0; start < units.size();) {
    std::size_t end = start + 1;
    while (end < units.size() && OnOneLine(*units[start], *units[end])) ++end;
    std::stable_sort(units.begin() + static_cast<std::ptrdiff_t>(start),
                     units.begin() + static_cast<std::ptrdiff_t>(end),
                     [](const Control* a, const Control* b) {
                       return a->bounds.left < b->bounds.left;
                     });
    start = end;
  }
  for (Control* unit : units) {
    if (IsContainer(unit->kind)) {
      CollectInReadingOrder(*unit, out);
    } else {
      out.push_back(unit);
    }
  }
}

// The Tab group a control belongs to: its nearest container marked tabGroup, or null.
const Control* TabGroupOf(const Control* control) {
  for (const Control* up = control != nullptr ? control->parent : nullptr; up != nullptr;
       up = up->parent) {
    if (up->tabGroup) return up;
  }
  return nullptr;
}

// Where Tab lands on `target`: a group is entered at its first control.
Control* Landing(const std::vector<Control*>& order, Control* target) {
  const Control* group = TabGroupOf(target);
  if (group == nullptr) return target;
  return *std::find_if(order.begin(), order.end(),
                       [group](const Control* control) { return TabGroupOf(control) == group; });
}

}  // namespace

bool TakesFocus(const Control& control) {
  if (!control.enabled || !control.IsShown()) return false;
  if (IsWindowedInput(control.kind)) return true;
  return control.activation != Activation::kNone &&
         (control.kind == ControlKind::kLabel || control.kind == ControlKind::kImage);
}

std::vector<Control*> FocusOrder(Control& root) {
  std::vector<Control*> order;
  if (root.IsShown()) CollectInReadingOrder(root, order);
  return order;
}

Control* NextInFocusOrder(Control& form, const Control* current, bool backwards) {
  const std::vector<Control*> order = FocusOrder(form);
  if (order.empty()) return nullptr;
  auto found = std::find(order.begin(), order.end(), current);
  if (found == order.end()) return Landing(order, backwards ? order.back() : order.front());
  const std::size_t at = static_cast<std::size_t>(found - order.begin());
  const std::size_t step = backwards ? order.size() - 1 : 1;
  // The rest of the current control's group is passed over.
  const Control* group = TabGroupOf(current);
  std::size_t next = (at + step) % order.size();
  while (group != nullptr && next != at && TabGroupOf(order[next]) == group) {
    next = (next + step) % order.size();
  }
  return Landing(order, order[next]);
}

Control* NeighbourInDirection(const Control& from, Direction direction) {
  if (from.parent == nullptr) return nullptr;
  const int fromX = from.bounds.left + from.bounds.width / 2;
  const int fromY = from.bounds.top + from.bounds.height / 2;
  Control* best = nullptr;
  std::tuple<int, int> bestScore{0, 0};
  for (auto& child : from.parent->children) {
    Control& candidate = *child;
    if (&candidate == &from || IsWindowedInput(candidate.kind) || !TakesFocus(candidate)) continue;
    const int dx = candidate.bounds.left + candidate.bounds.width / 2 - fromX;
    const int dy = candidate.bounds.top + candidate.bounds.height / 2 - fromY;
    int along = 0;  // how far in the direction
    int across = 0; // how far off the line
    switch (direction) {
      case Direction::kLeft:  along = -dx; across = std::abs(dy); break;
      case Direction::kRight: along = dx;  across = std::abs(dy); break;
      case Direction::kUp:    along = -dy; across = std::abs(dx); break;
      case Direction::kDown:  along = dy;  across = std::abs(dx); break;
    }
    if (along <= 0) continue;
    const std::tuple<int, int> score{across, along};
    if (best == nullptr || score < bestScore) {
      best = &candidate;
      bestScore = score;
    }
  }
  return best;
}

Control* CancelControl(Control& form) {
  if (form.cancel && form.enabled && form.IsShown()) return &form;
  for (auto& child : form.children) {
    if (Control* found = CancelControl(*child)) return found;
  }
  return nullptr;
}

}  // namespace mirella::ui
