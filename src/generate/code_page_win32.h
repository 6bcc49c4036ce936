#pragma once
// The system's ANSI code page (CP_ACP), in which the generated files are written on Windows.

#include "generate/code_page.h"

namespace mirella {

class SystemCodePage : public CodePage {
 public:
  // A character the code page has no exact byte sequence for gives nullopt: neither the default
  // character "?" nor a best-fit look-alike is accepted.
  std::optional<std::string> Encode(char32_t character) const override;
  // Bytes the code page does not define, or a lead byte without its trail byte, give nullopt.
  std::optional<std::u32string> Decode(std::string_view bytes) const override;
};

}  // namespace mirella
