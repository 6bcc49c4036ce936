#include "generate/encoded_text.h"

#include <gtest/gtest.h>

#include "generate/cp1251.h"
#include "generate/utf8.h"

namespace mirella {
namespace {

const Cp1251 kCp1251;

TEST(Cp1251, EncodesTheRussianAlphabetAndTheWindowsPunctuation) {
  EXPECT_EQ(kCp1251.Encode(U'A'), "A");
  EXPECT_EQ(kCp1251.Encode(U'А'), "\xC0");
  EXPECT_EQ(kCp1251.Encode(U'я'), "\xFF");
  EXPECT_EQ(kCp1251.Encode(U'Ё'), "\xA8");
  EXPECT_EQ(kCp1251.Encode(U'ё'), "\xB8");
  EXPECT_EQ(kCp1251.Encode(U'№'), "\xB9");
  EXPECT_EQ(kCp1251.Encode(U'€'), "\x88");
  EXPECT_EQ(kCp1251.Encode(U'\u00A0'), "\xA0");
  EXPECT_EQ(kCp1251.Encode(U'«'), "\xAB");
  EXPECT_EQ(kCp1251.Encode(U'Ґ'), "\xA5");
  EXPECT_EQ(kCp1251.Encode(U'\u0098'), "\x98");  // the unassigned byte, as Windows maps it
}

TEST(Cp1251, HoldsNoCharacterOutsideItsTable) {
  EXPECT_EQ(kCp1251.Encode(U'é'), std::nullopt);
  EXPECT_EQ(kCp1251.Encode(U'中'), std::nullopt);
  EXPECT_EQ(kCp1251.Encode(U'😀'), std::nullopt);
}

// Reading a file back relies on each byte and its character standing for each other.
TEST(Cp1251, DecodesEveryByteToTheCharacterThatEncodesToIt) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string bytes(1, static_cast<char>(byte));
    const auto text = kCp1251.Decode(bytes);
    ASSERT_TRUE(text && text->size() == 1) << byte;
    EXPECT_EQ(kCp1251.Encode((*text)[0]), bytes) << byte;
  }
  EXPECT_EQ(kCp1251.Decode("\xC6\xE5\xEB\xE0"), U"Жела");
}

TEST(DecodeUtf8, ReplacesEveryByteOfAMalformedSequence) {
  EXPECT_EQ(DecodeUtf8("Ж中😀"), U"Ж中😀");
  EXPECT_EQ(DecodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");          // overlong "/"
  EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD");  // a surrogate
  EXPECT_EQ(DecodeUtf8("a\xD0"), U"a\uFFFD");                    // cut short
  EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80"), U"\uFFFD\uFFFD\uFFFD\uFFFD");  // above U+10FFFF
}

TEST(JavaScriptStringText, KeepsOrdinaryTextByteForByte) {
  EXPECT_EQ(JavaScriptStringText("Мой компьютер <b>'1'</b> & 50%", kCp1251),
            "\xCC\xEE\xE9 \xEA\xEE\xEC\xEF\xFC\xFE\xF2\xE5\xF0 <b>'1'</b> & 50%");
  EXPECT_EQ(JavaScriptStringText("", kCp1251), "");
}

TEST(JavaScriptStringText, EscapesWhatWouldEndOrBreakTheString) {
  EXPECT_EQ(JavaScriptStringText("a\"b\\c", kCp1251), "a\\\"b\\\\c");
  EXPECT_EQ(JavaScriptStringText("1\r\n2\n3", kCp1251), "1\\r\\n2\\n3");
  EXPECT_EQ(JavaScriptStringText("x\u2028y\u2029z", kCp1251), "x\\u2028y\\u2029z");
  // The escapes do not depend on the code page holding the character.
  EXPECT_EQ(JavaScriptStringText("\u2028\"", Utf8CodePage()), "\\u2028\\\"");
}

TEST(JavaScriptStringText, WritesCharactersTheCodePageLacksAsUnicodeEscapes) {
  EXPECT_EQ(JavaScriptStringText("中文", kCp1251), "\\u4E2D\\u6587");
  EXPECT_EQ(JavaScriptStringText("😀", kCp1251), "\\uD83D\\uDE00");
  EXPECT_EQ(JavaScriptStringText("\xFF", kCp1251), "\\uFFFD");
  EXPECT_EQ(JavaScriptStringText("中😀", Utf8CodePage()), "中😀");
}

TEST(HtmlText, WritesCharactersTheCodePageLacksAsCharacterReferences) {
  EXPECT_EQ(HtmlText("file:///C:/Папка/中文/😀", kCp1251),
            "file:///C:/\xCF\xE0\xEF\xEA\xE0/&#20013;&#25991;/&#128512;");
  EXPECT_EQ(HtmlText("a\"b\\c", kCp1251), "a\"b\\c");
}

TEST(CommentText, WritesCharactersTheCodePageLacksAsQuestionMarks) {
  EXPECT_EQ(CommentText("// Ж中", kCp1251), "// \xC6?");
}

}  // namespace
}  // namespace mirella
