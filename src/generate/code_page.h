#pragma once
// The system's ANSI code page, in which the generated files are written and read back.

#include <optional>
#include <string>
#include <string_view>

namespace mirella {

class CodePage {
 public:
  virtual ~CodePage() = default;
  // The bytes of one character in this code page, or nullopt when the code page cannot hold it.
  virtual std::optional<std::string> Encode(char32_t character) const = 0;
  // The characters of a text in this code page, or nullopt when the bytes are not a well-formed
  // text in it (a sequence the code page does not define, a multi-byte character cut short).
  virtual std::optional<std::u32string> Decode(std::string_view bytes) const = 0;
};

}  // namespace mirella
