#pragma once
// Hover highlighting of the command labels: the label under the mouse turns white, and moving
// over any hover area frm_pal(n) dims all ten labels again.

#include <array>

#include "ui/control.h"

namespace mirella::app {

inline constexpr Colour kHoveredCommandColour = ui::kWhite;
// Deliberately not the design colour RGB(224, 224, 224): after the first reset every label keeps
// this slightly darker grey.
inline constexpr Colour kResetCommandColour = ui::Rgb(220, 220, 220);

void HighlightCommand(ui::Control& label);
void ResetCommandColours(const std::array<ui::Control*, 10>& labels);

}  // namespace mirella::app
