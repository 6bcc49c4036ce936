#include "ui/win32/name_announcer.h"

#include <windows.h>
#include <oleacc.h>

#include "ui/accessible_description.h"
#include "ui/control_kinds.h"
#include "ui/win32/container_accessible.h"

namespace mirella::ui::win32 {

// Every sync passes here (a hover is one): names are compared in place, and copied only when new
// or changed. A window whose name is its text announces it itself; one with a name of its own
// is announced here.
void NameAnnouncer::AfterSync(const std::vector<Control*>& tree,
                              const std::set<const Control*>& live) {
  std::erase_if(names_, [&live](const auto& entry) { return live.count(entry.first) == 0; });
  for (Control* control : tree) {
    const bool windowed = IsWindowed(control->kind);
    if (control == &form_ || (windowed && control->accessibleName.empty())) continue;
    const std::string& name = AccessibleNameOf(*control);
    const auto [known, added] = names_.try_emplace(control, name);
    if (added || known->second == name) continue;
    known->second = name;
    Announce(*control);
  }
}

// A windowless control is a child element of its container's object; a window with a name of
// its own is its own object.
void NameAnnouncer::Announce(Control& control) {
  const bool windowed = IsWindowed(control.kind);
  Control* container = ContainerOf(control);
  HWND window = windowed ? site_.WindowOf(control)
                         : (container != nullptr ? site_.WindowOf(*container) : nullptr);
  const LONG child = windowed ? CHILDID_SELF
                     : container != nullptr ? ChildIdOf(*container, control)
                                            : CHILDID_SELF;
  if (window != nullptr && (windowed || child != CHILDID_SELF) && IsWindowVisible(window)) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, child);
  }
}

}  // namespace mirella::ui::win32
