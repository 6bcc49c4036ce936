#pragma once
// Tells assistive technology when a control's name has changed (a link button now marked
// chosen, say), as a window announces a change of its own text, so that a screen reader does
// not go on reading the old name.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/win32/container_site.h"

namespace mirella::ui::win32 {

class NameAnnouncer {
 public:
  NameAnnouncer(const Control& form, ContainerSite& site) : form_(form), site_(site) {}

  // After a sync: `tree` is every control of the form, `live` the same as a set. A name seen
  // for the first time is only remembered.
  void AfterSync(const std::vector<Control*>& tree, const std::set<const Control*>& live);

 private:
  void Announce(Control& control);

  const Control& form_;
  ContainerSite& site_;
  // The names clients could last read.
  std::map<const Control*, std::string> names_;
};

}  // namespace mirella::ui::win32
