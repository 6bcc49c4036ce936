#include "generate/code_page_win32.h"

#include <windows.h>

namespace mirella {

std::optional<std::string> SystemCodePage::Encode(char32_t character) const {
  if (character < 0x80) return std::string(1, static_cast<char>(character));
  if (character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF)) return std::nullopt;

  wchar_t units[2];
  int unitCount = 1;
  if (character < 0x10000) {
    units[0] = static_cast<wchar_t>(character);
  } else {
    const char32_t offset = character - 0x10000;
    units[0] = static_cast<wchar_t>(0xD800 + (offset >> 10));
    units[1] = static_cast<wchar_t>(0xDC00 + (offset & 0x3FF));
    unitCount = 2;
  }

  char bytes[8];
  // A system set to UTF-8 as its ANSI code page holds every character, and there the flags
  // and the used-default-char flag are not allowed.
  const bool utf8 = GetACP() == CP_UTF8;
  BOOL usedDefault = FALSE;
  const int length =
      WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, units, unitCount, bytes,
                          sizeof bytes, nullptr, utf8 ? nullptr : &usedDefault);
  if (length <= 0 || usedDefault) return std::nullopt;
  return std::string(bytes, static_cast<size_t>(length));
}

}  // namespace mirella
