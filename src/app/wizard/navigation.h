#pragma once
// Page changes: every page and settings sub-panel switch goes through SwitchFrame, every swap of
// two command labels that share a place through SwitchButton.

#include <string_view>

#include "ui/control.h"

namespace mirella::app {

// Shows `title` in the page title unless it is empty, then shows `to`, then hides `from`. Hiding
// comes last, so switching a frame to itself leaves it hidden.
void SwitchFrame(ui::Control& pageTitle, ui::Control& from, ui::Control& to, std::string_view title);

// Shows `to`, then hides `from`.
void SwitchButton(ui::Control& from, ui::Control& to);

}  // namespace mirella::app
