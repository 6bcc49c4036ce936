#include "generate/encoded_text.h"

#include "generate/utf8.h"

namespace mirella {
namespace {

// \uXXXX for one UTF-16 code unit.
void AppendUnicodeEscape(std::string& out, char32_t unit) {
  constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHex[(unit >> shift) & 0xF]);
}

// Appends the bytes of `c` in the code page; false when the code page cannot hold it.
bool AppendEncoded(std::string& out, char32_t c, const CodePage& codePage) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));  // every ANSI code page keeps ASCII as it is
    return true;
  }
  auto bytes = codePage.Encode(c);
  if (!bytes) return false;
  out += *bytes;
  return true;
}

// Encodes every character, handing the ones the code page cannot hold to `fallback`.
template <class Fallback>
std::string Encode(std::string_view text, const CodePage& codePage, Fallback fallback) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : DecodeUtf8(text)) {
    if (!AppendEncoded(out, c, codePage)) fallback(out, c);
  }
  return out;
}

}  // namespace

std::string JavaScriptStringText(std::string_view text, const CodePage& codePage) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : DecodeUtf8(text)) {
    switch (c) {
      case U'\\': out += "\\\\"; continue;
      case U'"': out += "\\\""; continue;
      case U'\r': out += "\\r"; continue;
      case U'\n': out += "\\n"; continue;
      case U'\u2028': out += "\\u2028"; continue;
      case U'\u2029': out += "\\u2029"; continue;
      default: break;
    }
    if (AppendEncoded(out, c, codePage)) continue;
    if (c < 0x10000) {
      AppendUnicodeEscape(out, c);
    } else {
      const char32_t offset = c - 0x10000;
      AppendUnicodeEscape(out, 0xD800 + (offset >> 10));
      AppendUnicodeEscape(out, 0xDC00 + (offset & 0x3FF));
    }
  }
  return out;
}

std::string HtmlText(std::string_view text, const CodePage& codePage) {
  return Encode(text, codePage, [](std::string& out, char32_t c) {
    out += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
  });
}

std::string CommentText(std::string_view text, const CodePage& codePage) {
  return Encode(text, codePage, [](std::string& out, char32_t) { out.push_back('?'); });
}

}  // namespace mirella
