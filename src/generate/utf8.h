#pragma once
// UTF-8, the program's inner text encoding: decoding for the writers, and a code page that
// holds every character (the preview's files declare it).

#include <string>
#include <string_view>

#include "generate/code_page.h"

namespace mirella {

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// The characters of a UTF-8 text. A byte that does not start or continue a well-formed sequence
// (overlong forms, surrogates and values above U+10FFFF included) becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view text);

void AppendUtf8(std::string& out, char32_t character);

class Utf8CodePage : public CodePage {
 public:
  std::optional<std::string> Encode(char32_t character) const override;
  // Any byte that DecodeUtf8 would replace gives nullopt.
  std::optional<std::u32string> Decode(std::string_view bytes) const override;
};

}  // namespace mirella
