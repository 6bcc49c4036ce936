#pragma once
// The system's ANSI code page, in which the generated files are written.

#include <optional>
#include <string>

namespace mirella {

class CodePage {
 public:
  virtual ~CodePage() = default;
  // The bytes of one character in this code page, or nullopt when the code page cannot hold it.
  virtual std::optional<std::string> Encode(char32_t character) const = 0;
};

}  // namespace mirella
