#include "generate/code_page_win32.h"

#include <windows.h>

#include <climits>
#include <vector>

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

std::optional<std::u32string> SystemCodePage::Decode(std::string_view bytes) const {
  if (bytes.empty()) return std::u32string();
  if (bytes.size() > static_cast<size_t>(INT_MAX)) return std::nullopt;
  const int byteCount = static_cast<int>(bytes.size());
  const int unitCount =
      MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), byteCount, nullptr, 0);
  if (unitCount <= 0) return std::nullopt;
  std::vector<wchar_t> units(static_cast<size_t>(unitCount));
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), byteCount, units.data(),
                          unitCount) != unitCount) {
    return std::nullopt;
  }

  std::u32string text;
  text.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    const char32_t unit = units[i];
    if (unit < 0xD800 || unit > 0xDFFF) {
      text.push_back(unit);
    } else if (unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
               units[i + 1] <= 0xDFFF) {
      text.push_back(0x10000 + ((unit - 0xD800) << 10) + (char32_t{units[i + 1]} - 0xDC00));
      ++i;
    } else {
      return std::nullopt;  // a lone surrogate is no character
    }
  }
  return text;
}

}  // namespace mirella
