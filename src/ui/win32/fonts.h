#pragma once
// Fonts of the control tree, created once per face, size, style and DPI, in the Cyrillic
// character set.

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "ui/control.h"
#include "win32/handles.h"

namespace mirella::ui::win32 {

class FontCache {
 public:
  HFONT Get(const Font& font, int dpi);

 private:
  using Key = std::tuple<std::string, int, bool, bool, int>;
  std::map<Key, UniqueFont> fonts_;
};

}  // namespace mirella::ui::win32
