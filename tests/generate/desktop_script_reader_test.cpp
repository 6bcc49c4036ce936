#include "generate/desktop_script_reader.h"

#include <gtest/gtest.h>

#include <functional>

#include "generate/cp1251.h"
#include "generate/desktop_script.h"
#include "generate/test_content.h"
#include "generate/tricky_content.h"
#include "generate/utf8.h"

namespace mirella {
namespace {

using testing::ExpectSameDesktop;
using testing::kTestProgramFolder;
using testing::SplitLines;
using testing::TrickyContent;

const Cp1251 kCp1251;
const Utf8CodePage kUtf8;

// A character the code page cannot hold was written as a \u escape, so it reads back as itself:
// every well-formed text survives the round trip exactly.
TEST(ReadDesktopScript, ReadsBackWhatTheWriterWrote) {
  std::vector<DesktopContent> contents = {testing::FullyLinkedTestContent()};
  for (unsigned seed = 0; seed < 6; ++seed) contents.push_back(TrickyContent(seed));
  contents[1].desktop = std::string(100000, 'x') + "Ж";
  for (const CodePage* codePage : std::initializer_list<const CodePage*>{&kCp1251, &kUtf8}) {
    for (const std::string folder : {kTestProgramFolder, "D:\\Мои программы\\O'Brien #1 100%"}) {
      for (std::size_t i = 0; i < contents.size(); ++i) {
        SCOPED_TRACE("content " + std::to_string(i) + " in " + folder);
        const auto read = ReadDesktopScript(DesktopScript(contents[i], folder, *codePage), *codePage);
        ASSERT_TRUE(read.ok()) << read.message();
        ExpectSameDesktop(read.value(), contents[i]);
      }
    }
  }

  // Text that is not well-formed UTF-8 never comes from the text boxes; the writer replaced its
  // stray bytes, and they read back as U+FFFD.
  DesktopContent content = contents[0];
  content.title = "a\xFF" "b";
  const auto read = ReadDesktopScript(DesktopScript(content, kTestProgramFolder, kCp1251), kCp1251);
  ASSERT_TRUE(read.ok()) << read.message();
  EXPECT_EQ(read.value().title, "a\uFFFD" "b");
}

// A short content to aim damage at: escapes on line 2 and line 50 (entry 9's description),
// entry 3's caption on line 25, entry 0's picture on line 12 and entry 1's on line 16.
DesktopContent Target() {
  DesktopContent content;
  content.title = "Стол \"мой\" C:\\";
  for (int i = 0; i < kEntryCount; ++i) {
    content.EntryCaption[i] = "Значок " + std::to_string(i);
    content.EntryDescription[i] = "d";
    content.EntryLink[i] = "file:///D:/" + std::to_string(i);
    content.EntryPicture[i] = static_cast<std::int16_t>(i + 4);
  }
  content.EntryPicture[0] = 14;
  content.EntryPicture[1] = 5;
  content.EntryCaption[3] = "Trash";
  content.EntryDescription[9] = "中 😀\r\n";
  return content;
}

std::string Replaced(std::string bytes, const std::string& from, const std::string& to) {
  const std::size_t at = bytes.find(from);
  if (at == std::string::npos) throw std::logic_error("no " + from);
  return bytes.replace(at, from.size(), to);
}

std::string Lines(int count, const std::string& line) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += line + "\r\n";
  return bytes;
}

TEST(ReadDesktopScript, RefusesAFileNotAsTheWriterWritesIt) {
  const std::string good = DesktopScript(Target(), kTestProgramFolder, kCp1251);
  ASSERT_TRUE(ReadDesktopScript(good, kCp1251).ok());
  using Damage = std::function<std::string(std::string)>;
  const auto replace = [](std::string from, std::string to) -> Damage {
    return [=](std::string bytes) { return Replaced(std::move(bytes), from, to); };
  };
  struct Row {
    const char* kind;
    Damage damage;
    const char* named;  // how the failure says where
  };
  const Row rows[] = {
      {"empty", [](std::string) { return std::string(); }, "0 строк вместо 87"},
      {"cut inside a line", [](std::string b) { return b.substr(0, b.size() - 1); }, "не завершена"},
      {"cut at a line end", [](std::string b) { return b.substr(0, b.find("switch")); }, "55 строк вместо 87"},
      {"a line added", [](std::string b) { return b + "// more\r\n"; }, "88 строк вместо 87"},
      {"LF line ends", [](std::string b) {
         for (std::size_t at; (at = b.find("\r\n")) != std::string::npos;) b.erase(at, 1);
         return b;
       }, "не завершена"},
      {"byte order mark", [](std::string b) { return "\xEF\xBB\xBF" + b; }, "строка 1."},
      {"saved again in UTF-8", [](std::string b) {
         const std::u32string text = kCp1251.Decode(b).value();
         std::string utf8;
         for (char32_t c : text) AppendUtf8(utf8, c);
         return utf8;
       }, "строка 1."},
      {"a quote typed into a caption", replace("\"Trash\"", "\"Tr\"ash\""), "строка 25."},
      {"the closing quote removed", replace("\"Trash\"", "\"Trash"), "строка 25."},
      {"an escape the writer never writes", replace("\\\"", "\\'"), "строка 2."},
      {"a letter written as an escape", replace("Trash", "\\u0054rash"), "строка 25."},
      {"a lower-case escape", replace("\\u4E2D", "\\u4e2d"), "строка 50."},
      {"half a surrogate pair", replace("\\uD83D\\uDE00", "\\uD83D"), "строка 50."},
      {"a low surrogate first", replace("\\uD83D\\uDE00", "\\uDE00\\uD83D"), "строка 50."},
      {"an escape cut short", replace("\\u4E2D", "\\u4E"), "строка 50."},
      {"picture 20", replace("icons[0]=\"14\"", "icons[0]=\"20\""), "строка 12."},
      {"picture -1", replace("icons[0]=\"14\"", "icons[0]=\"-1\""), "строка 12."},
      {"a huge picture number", replace("icons[0]=\"14\"", "icons[0]=\"99999999999999999999\""), "строка 12."},
      {"an empty picture number", replace("icons[0]=\"14\"", "icons[0]=\"\""), "строка 12."},
      {"a leading zero", replace("icons[1]=\"5\"", "icons[1]=\"05\""), "строка 16."},
      {"the folder line renamed", replace("var appath=", "var apppath="), "строка 5."},
      {"the folder line's escape", replace("var appath=\"file:///C:", "var appath=\"file:///\\u0043:"), "строка 5."},
      {"a statement changed", replace("i<5;", "i<6;"), "строка 70."},
      {"a NUL byte", replace("switch (name) {", std::string("switch (name)\0{", 15)), "строка 56."},
      {"two lines swapped", [](std::string b) {
         auto lines = SplitLines(b);
         std::swap(lines[24], lines[25]);
         std::string swapped;
         for (const auto& line : lines) swapped += line + "\r\n";
         return swapped;
       }, "строка 25."},
      {"another program's script", [](std::string) { return Lines(87, "var x = 1;"); }, "строка 2."},
  };
  for (const Row& row : rows) {
    const auto read = ReadDesktopScript(row.damage(good), kCp1251);
    ASSERT_FALSE(read.ok()) << row.kind;
    EXPECT_NE(read.message().find(row.named), std::string::npos) << row.kind << ": " << read.message();
  }
  EXPECT_FALSE(ReadDesktopScript(good, kUtf8).ok()) << "1251 bytes are no UTF-8 text";
}

// A file cut anywhere is refused. Whatever a byte becomes, the file is refused or reads as a
// content that the writer turns into exactly these bytes again; each byte is changed to one of
// the bytes that matter to the reader in turn.
TEST(ReadDesktopScript, AcceptsAChangedFileOnlyWhenTheWriterWouldWriteIt) {
  const std::string good = DesktopScript(Target(), kTestProgramFolder, kCp1251);
  constexpr char kBytes[] = {'"', '\\', '\n', '7', '\xFF'};
  for (std::size_t at = 0; at < good.size(); ++at) {
    ASSERT_FALSE(ReadDesktopScript(good.substr(0, at), kCp1251).ok()) << "cut at " << at;
    std::string changed = good;
    changed[at] = kBytes[at % std::size(kBytes)];
    const auto read = ReadDesktopScript(changed, kCp1251);
    if (!read.ok()) continue;
    auto written = SplitLines(DesktopScript(read.value(), kTestProgramFolder, kCp1251));
    auto expected = SplitLines(changed);
    written[4] = expected[4] = "";  // the program folder line may name any folder
    EXPECT_EQ(written, expected) << "byte " << at << " as " << changed[at];
  }
}

}  // namespace
}  // namespace mirella
