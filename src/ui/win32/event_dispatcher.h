#pragma once
// How the windows of a form hand events to the behaviour: the host runs each handler, keeps its
// exceptions in, and afterwards brings every window up to date with the tree.

#include <functional>

#include "ui/host.h"

namespace mirella::ui::win32 {

class FormView;

class EventDispatcher {
 public:
  // Runs the handler with the form's events, unless the form is closed or the program quits.
  virtual void Dispatch(FormView& origin, const std::function<void(FormEvents&)>& handler) = 0;
  // The user asked to close the form (close box, Alt+F4).
  virtual void CloseRequested(FormView& origin) = 0;

 protected:
  ~EventDispatcher() = default;
};

}  // namespace mirella::ui::win32
