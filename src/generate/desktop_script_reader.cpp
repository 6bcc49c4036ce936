#include "generate/desktop_script_reader.h"

#include <optional>
#include <utility>
#include <vector>

#include "generate/desktop_script.h"
#include "generate/encoded_text.h"
#include "generate/utf8.h"

namespace mirella {
namespace {

// Where DesktopScript puts each value (lines counted from 0). Each entry takes four lines from
// kFirstEntryLine on: icons[i], caption[i], desc[i], link[i].
constexpr std::size_t kLineCount = 87;
constexpr std::size_t kTitleLine = 1;
constexpr std::size_t kColumn1TitleLine = 2;
constexpr std::size_t kColumn2TitleLine = 3;
constexpr std::size_t kProgramFolderLine = 4;
constexpr std::size_t kFirstEntryLine = 11;
constexpr std::size_t kLinesPerEntry = 4;
constexpr std::size_t kBottomBarLine = 82;

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kProgramFolderPrefix = "var appath=";

Status NotWrittenByMirella(const std::string& reason) {
  return Status::Failure(std::string(kDesktopScriptName) +
                         " не в том виде, в каком его записывает Mirella: " + reason + ".");
}

Status WrongLine(std::size_t line) {
  return NotWrittenByMirella("строка " + std::to_string(line + 1));
}

// The lines of a file whose every line ends in CR LF, without their line ends; nullopt when the
// file does not end in CR LF.
std::optional<std::vector<std::string_view>> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find(kLineEnd, start)) != std::string_view::npos;
       start = end + kLineEnd.size()) {
    lines.push_back(bytes.substr(start, end - start));
  }
  if (start != bytes.size()) return std::nullopt;
  return lines;
}

std::optional<char32_t> HexDigit(char32_t c) {
  if (c >= U'0' && c <= U'9') return c - U'0';
  if (c >= U'A' && c <= U'F') return c - U'A' + 10;
  if (c >= U'a' && c <= U'f') return c - U'a' + 10;
  return std::nullopt;
}

// One UTF-16 code unit written as the four hex digits of a \uXXXX escape starting at `at`.
std::optional<char32_t> EscapedUnit(std::u32string_view text, std::size_t at) {
  if (at + 6 > text.size() || text[at] != U'\\' || text[at + 1] != U'u') return std::nullopt;
  char32_t unit = 0;
  for (std::size_t k = at + 2; k < at + 6; ++k) {
    const auto digit = HexDigit(text[k]);
    if (!digit) return std::nullopt;
    unit = unit * 16 + *digit;
  }
  return unit;
}

// The value of a line holding one double-quoted JavaScript string, with the escapes undone. The
// first double quote opens the string; the escapes are those the writer uses, and a \u escape of
// a surrogate must be one half of a pair. What surrounds the string is left to the caller.
std::optional<std::string> QuotedValue(std::u32string_view text) {
  const std::size_t open = text.find(U'"');
  if (open == std::u32string_view::npos) return std::nullopt;
  std::string value;
  std::size_t i = open + 1;
  while (i < text.size()) {
    const char32_t c = text[i];
    if (c == U'"') return value;
    if (c != U'\\') {
      AppendUtf8(value, c);
      ++i;
      continue;
    }
    if (i + 1 >= text.size()) return std::nullopt;
    switch (text[i + 1]) {
      case U'\\': value += '\\'; i += 2; continue;
      case U'"': value += '"'; i += 2; continue;
      case U'r': value += '\r'; i += 2; continue;
      case U'n': value += '\n'; i += 2; continue;
      case U'u': break;
      default: return std::nullopt;
    }
    const auto unit = EscapedUnit(text, i);
    if (!unit) return std::nullopt;
    i += 6;
    if (*unit < 0xD800 || *unit > 0xDFFF) {
      AppendUtf8(value, *unit);
      continue;
    }
    const auto low = *unit <= 0xDBFF ? EscapedUnit(text, i) : std::nullopt;
    if (!low || *low < 0xDC00 || *low > 0xDFFF) return std::nullopt;
    AppendUtf8(value, 0x10000 + ((*unit - 0xD800) << 10) + (*low - 0xDC00));
    i += 6;
  }
  return std::nullopt;  // the string is never closed
}

// A picture number as the writer writes it: one or two decimal digits, 0..19.
std::optional<std::int16_t> PictureNumber(std::string_view text) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  int number = 0;
  for (char digit : text) {
    if (digit < '0' || digit > '9') return std::nullopt;
    number = number * 10 + (digit - '0');
  }
  if (number >= kPictureCount) return std::nullopt;
  return static_cast<std::int16_t>(number);
}

}  // namespace

Result<DesktopContent> ReadDesktopScript(std::string_view bytes, const CodePage& codePage) {
  const auto lines = SplitLines(bytes);
  if (!lines) return NotWrittenByMirella("последняя строка не завершена");
  if (lines->size() != kLineCount) {
    return NotWrittenByMirella(std::to_string(lines->size()) + " строк вместо " +
                               std::to_string(kLineCount));
  }

  // The value of a quoted line, or the line's failure.
  std::optional<Status> failure;
  const auto value = [&](std::size_t line) -> std::string {
    if (failure) return {};
    const auto text = codePage.Decode((*lines)[line]);
    auto quoted = text ? QuotedValue(*text) : std::nullopt;
    if (!quoted) {
      failure = WrongLine(line);
      return {};
    }
    return std::move(*quoted);
  };

  DesktopContent content;
  content.title = value(kTitleLine);
  content.col_1_title = value(kColumn1TitleLine);
  content.col_2_title = value(kColumn2TitleLine);
  const std::string programFolderUrl = value(kProgramFolderLine);
  for (int i = 0; i < kEntryCount; ++i) {
    const std::size_t first = kFirstEntryLine + kLinesPerEntry * static_cast<std::size_t>(i);
    const auto picture = PictureNumber(value(first));
    if (!picture && !failure) failure = WrongLine(first);
    content.EntryPicture[i] = picture.value_or(0);
    content.EntryCaption[i] = value(first + 1);
    content.EntryDescription[i] = value(first + 2);
    content.EntryLink[i] = value(first + 3);
  }
  content.desktop = value(kBottomBarLine);
  if (failure) return *failure;

  // Every line must be as the writer writes this content. The program folder line is checked on
  // its own, since the folder it names need not be today's.
  const std::string programFolderLine = std::string(kProgramFolderPrefix) + '"' +
                                        JavaScriptStringText(programFolderUrl, codePage) + '"';
  if ((*lines)[kProgramFolderLine] != programFolderLine) return WrongLine(kProgramFolderLine);
  const std::string expected = DesktopScript(content, {}, codePage);
  const auto expectedLines = SplitLines(expected);
  // The writer's own bytes; checked all the same, so that no index below can leave them.
  if (!expectedLines || expectedLines->size() != kLineCount) return WrongLine(0);
  for (std::size_t line = 0; line < kLineCount; ++line) {
    if (line != kProgramFolderLine && (*lines)[line] != (*expectedLines)[line]) {
      return WrongLine(line);
    }
  }
  return content;
}

Result<DesktopContent> ReadDesktopScriptFile(const std::string& programFolder,
                                             const FileSystem& files, const CodePage& codePage) {
  auto bytes = files.ReadFile(DesktopScriptPath(programFolder));
  if (!bytes) return bytes.status();
  return ReadDesktopScript(bytes.value(), codePage);
}

}  // namespace mirella
