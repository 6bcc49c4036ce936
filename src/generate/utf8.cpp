#include "generate/utf8.h"

namespace mirella {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// DecodeUtf8's work; false when some byte had to be replaced.
bool DecodeUtf8Into(std::string_view text, std::u32string& out) {
  bool allWellFormed = true;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
      length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, value = lead & 0x07, minimum = 0x10000;
    }
    bool wellFormed = length != 0 && i + length <= text.size();
    for (std::size_t k = 1; wellFormed && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      wellFormed = IsContinuation(next);
      value = (value << 6) | (next & 0x3F);
    }
    wellFormed = wellFormed && value >= minimum && value <= 0x10FFFF &&
                 !(value >= 0xD800 && value <= 0xDFFF);
    if (wellFormed) {
      out.push_back(value);
      i += length;
    } else {
      out.push_back(kReplacementCharacter);
      allWellFormed = false;
      ++i;
    }
  }
  return allWellFormed;
}

}  // namespace

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  DecodeUtf8Into(text, out);
  return out;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::optional<std::string> Utf8CodePage::Encode(char32_t character) const {
  if (character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF)) return std::nullopt;
  std::string bytes;
  AppendUtf8(bytes, character);
  return bytes;
}

std::optional<std::u32string> Utf8CodePage::Decode(std::string_view bytes) const {
  std::u32string text;
  if (!DecodeUtf8Into(bytes, text)) return std::nullopt;
  return text;
}

}  // namespace mirella
