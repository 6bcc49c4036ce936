#pragma once
// Windows code page 1251 (Cyrillic), built in: the ANSI code page of Russian Windows, used by
// the portable build in place of the system's.

#include "generate/code_page.h"

namespace mirella {

class Cp1251 : public CodePage {
 public:
  std::optional<std::string> Encode(char32_t character) const override;
  // Every byte is a character: the inverse of Encode.
  std::optional<std::u32string> Decode(std::string_view bytes) const override;
};

}  // namespace mirella
