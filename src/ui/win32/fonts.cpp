#include "ui/win32/fonts.h"

#include <cmath>

#include "win32/wide_text.h"

namespace mirella::ui::win32 {

HFONT FontCache::Get(const Font& font, int dpi) {
  // Points to pixels: 72 points per inch; a negative height asks for the character height.
  const int height = -static_cast<int>(std::lround(font.points * dpi / 72.0));
  Key key{font.face, height, font.bold, font.underline, dpi};
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second.Get();
  LOGFONTW logFont{};
  logFont.lfHeight = height;
  logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  logFont.lfUnderline = font.underline ? TRUE : FALSE;
  logFont.lfCharSet = RUSSIAN_CHARSET;
  logFont.lfQuality = DEFAULT_QUALITY;
  logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  // "MS Sans Serif" is a bitmap font: it has few sizes and no true bold. Its TrueType successor
  // draws the same design sharply at any display scale.
  const std::wstring face =
      font.face == "MS Sans Serif" ? L"Microsoft Sans Serif" : Widen(font.face);
  lstrcpynW(logFont.lfFaceName, face.c_str(), LF_FACESIZE);
  return fonts_.emplace(key, UniqueFont(CreateFontIndirectW(&logFont))).first->second.Get();
}

}  // namespace mirella::ui::win32
