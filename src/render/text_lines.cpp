#include "render/text_lines.h"

#include <algorithm>

namespace mirella::render {
namespace {

constexpr std::string_view kEllipsis = "\u2026";

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The length of the first character (UTF-8 sequence) of a non-empty text.
std::size_t FirstCharacter(std::string_view text) {
  std::size_t length = 1;
  while (length < text.size() && IsContinuation(text[length])) ++length;
  return length;
}

// A start of `text` short enough that no line can hold more, ending on a character boundary:
// measuring never walks the whole of a huge text. No character is narrower than a quarter pixel.
std::string_view Window(std::string_view text, double maxWidth) {
  const std::size_t limit = static_cast<std::size_t>(std::max(0.0, maxWidth) * 4.0) + 16;
  if (text.size() <= limit) return text;
  std::size_t end = limit;
  while (end > 0 && IsContinuation(text[end])) --end;
  return text.substr(0, end);
}

std::string_view TrimTrailingSpaces(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string_view TrimLeadingSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

// Where a line of `text` ends when its first `fits` bytes fit: the last break opportunity
// within them, or `fits` itself (at least one character) when there is none.
std::size_t LineEnd(std::string_view text, std::size_t fits) {
  if (fits < text.size() && text[fits] == ' ') return fits;  // the space at the end hangs
  for (std::size_t i = fits; i > 0; --i) {
    const char before = text[i - 1];
    if (before == ' ') return i;
    // After a hyphen between letters, as "какой-то" breaks; not before a digit ("-5").
    if (before == '-' && i >= 2 && text[i - 2] != ' ' && !(text[i] >= '0' && text[i] <= '9')) {
      return i;
    }
  }
  return fits > 0 ? fits : FirstCharacter(text);
}

}  // namespace

std::string VisibleText(std::string_view html) {
  std::string shown;
  shown.reserve(html.size());
  bool pendingSpace = false;
  for (std::size_t i = 0; i < html.size(); ++i) {
    const char c = html[i];
    if (c == '<' && i + 1 < html.size()) {
      const char next = html[i + 1] == '/' && i + 2 < html.size() ? html[i + 2] : html[i + 1];
      const bool letter = (next >= 'A' && next <= 'Z') || (next >= 'a' && next <= 'z');
      const std::size_t close = html.find('>', i);
      if (letter && close != std::string_view::npos) {
        i = close;
        continue;
      }
    }
    if (IsSpace(c)) {
      pendingSpace = !shown.empty();
      continue;
    }
    if (pendingSpace) shown += ' ';
    pendingSpace = false;
    shown += c;
  }
  return shown;
}

WrappedText WrapText(std::string_view text, TextStyle style, double maxWidth, int maxLines,
                     const TextMeasurer& measurer) {
  WrappedText wrapped;
  std::string_view rest = TrimLeadingSpaces(text);
  while (!rest.empty() && static_cast<int>(wrapped.lines.size()) < maxLines) {
    const bool lastAllowed = static_cast<int>(wrapped.lines.size()) + 1 == maxLines;
    const std::string_view window = Window(rest, maxWidth);
    const std::size_t fits = measurer.Fit(window, style, maxWidth);
    if (fits >= rest.size()) {
      wrapped.lines.emplace_back(TrimTrailingSpaces(rest));
      return wrapped;
    }
    if (lastAllowed) {
      // The last line takes as much of the rest as leaves room for the ellipsis.
      const double room = maxWidth - measurer.Width(kEllipsis, style);
      const std::size_t kept = room > 0 ? measurer.Fit(window, style, room) : 0;
      std::string line(TrimTrailingSpaces(rest.substr(0, kept)));
      line += kEllipsis;
      wrapped.lines.push_back(std::move(line));
      wrapped.cut = true;
      return wrapped;
    }
    const std::size_t end = std::min(LineEnd(rest, fits), rest.size());
    wrapped.lines.emplace_back(TrimTrailingSpaces(rest.substr(0, end)));
    rest = TrimLeadingSpaces(rest.substr(end));
  }
  wrapped.cut = !rest.empty();
  return wrapped;
}

}  // namespace mirella::render
