#include "ui/win32/graphical_button.h"

#include "win32/handles.h"
#include "win32/wide_text.h"

namespace mirella::ui::win32 {

void PaintGraphicalButton(const DRAWITEMSTRUCT& item, const Control& button, int dpi,
                          RenderResources& resources) {
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &rect, resources.Brush(button.backColour));
  DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  if (pressed) OffsetRect(&rect, 1, 1);
  if (!button.text.empty()) {
    SelectedObject font(dc, resources.Fonts().Get(button.font, dpi));
    SetBkMode(dc, TRANSPARENT);
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : button.foreColour);
    const std::wstring text = Widen(button.text);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if ((item.itemState & ODS_FOCUS) != 0) {
    RECT focus = rect;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace mirella::ui::win32
