#include "app/wizard/hover.h"

namespace mirella::app {

void HighlightCommand(ui::Control& label) { label.foreColour = kHoveredCommandColour; }

void ResetCommandColours(const std::array<ui::Control*, 10>& labels) {
  for (ui::Control* label : labels) label->foreColour = kResetCommandColour;
}

}  // namespace mirella::app
