#pragma once
// Small builders for the layout code: a control of a kind, name, index and place, added to its
// parent, so that the layout files read as the window descriptions they come from.

#include <string>
#include <string_view>

#include "ui/control.h"

namespace mirella::app {

// Adds a new control below the parent's existing children and returns it.
ui::Control& AddControl(ui::Control& parent, ui::ControlKind kind, std::string_view name, int index,
                        const ui::TwipsRect& bounds);

// A transparent label with the given text and alignment, in the default font, black.
ui::Control& AddLabel(ui::Control& parent, std::string_view name, int index,
                      const ui::TwipsRect& bounds, std::string_view text,
                      ui::Alignment alignment = ui::Alignment::kLeft);

// A windowless picture; an empty picture makes a hover area that only receives the mouse.
ui::Control& AddImage(ui::Control& parent, std::string_view name, int index,
                      const ui::TwipsRect& bounds, std::string_view picture);

// A progress control with its caption, sized to its bounds, its value at the minimum.
ui::Control& AddProgress(ui::Control& parent, std::string_view name, const ui::TwipsRect& bounds,
                         std::string_view caption);

// A timer with its interval in milliseconds.
ui::Control& AddTimer(ui::Control& parent, std::string_view name, int intervalMs, bool enabled);

}  // namespace mirella::app
