#include "ui/win32/render_resources.h"

#include "win32/resources.h"

namespace mirella::ui::win32 {

RenderResources::RenderResources(HINSTANCE instance)
    : instance_(instance), pictures_(instance) {
  // The pointing hand ships as a cursor resource with its hot spot at the fingertip; a module
  // without it (the tests) falls back to the system's hand.
  const std::wstring handName = ResourceNameOf("window/hand.cur");
  hand_ = static_cast<HCURSOR>(LoadImageW(instance, handName.c_str(), IMAGE_CURSOR, 0, 0,
                                          LR_DEFAULTSIZE | LR_SHARED));
  if (hand_ == nullptr) hand_ = LoadCursorW(nullptr, IDC_HAND);
}

HBRUSH RenderResources::Brush(Colour colour) {
  auto found = brushes_.find(colour);
  if (found != brushes_.end()) return found->second.Get();
  return brushes_.emplace(colour, UniqueBrush(CreateSolidBrush(colour))).first->second.Get();
}

HCURSOR RenderResources::Cursor(MousePointer pointer) const {
  switch (pointer) {
    case MousePointer::kHourglass:
      return LoadCursorW(nullptr, IDC_WAIT);
    case MousePointer::kHand:
      return hand_;
    case MousePointer::kDefault:
      break;
  }
  return nullptr;
}

}  // namespace mirella::ui::win32
