#include "app/wizard/navigation.h"

#include <string>

namespace mirella::app {

void SwitchFrame(ui::Control& pageTitle, ui::Control& from, ui::Control& to, std::string_view title) {
  if (!title.empty()) pageTitle.text = std::string(title);
  to.visible = true;
  from.visible = false;
}

void SwitchButton(ui::Control& from, ui::Control& to) {
  to.visible = true;
  from.visible = false;
}

}  // namespace mirella::app
