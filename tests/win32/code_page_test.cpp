// SystemCodePage against the built-in Cp1251 that stands in for it in the portable build.

#include "generate/code_page_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "generate/cp1251.h"
#include "generate/desktop_script.h"
#include "generate/desktop_script_reader.h"
#include "generate/encoded_text.h"
#include "generate/tricky_content.h"

namespace mirella {
namespace {

// The test run names the code page it set up (through the locale Wine starts with), so that a
// missing locale fails here instead of quietly skipping the checks of that code page.
TEST(SystemCodePage, IsTheOneTheTestRunAskedFor) {
  const char* expected = std::getenv("MIRELLA_EXPECTED_CODE_PAGE");
  if (expected == nullptr) GTEST_SKIP() << "no code page asked for";
  EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

TEST(SystemCodePage, AgreesWithTheBuiltInTableOnEveryCharacterUnderCodePage1251) {
  if (GetACP() != 1251) GTEST_SKIP() << "ANSI code page " << GetACP() << "; run with LC_ALL=ru_RU.CP1251";
  const SystemCodePage system;
  const Cp1251 builtIn;
  int differences = 0;
  for (char32_t c = 0; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (system.Encode(c) != builtIn.Encode(c)) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c);
      if (++differences > 20) break;
    }
  }
  for (int byte = 0; byte < 256; ++byte) {
    const std::string bytes(1, static_cast<char>(byte));
    EXPECT_EQ(system.Decode(bytes), builtIn.Decode(bytes)) << byte;
  }
}

TEST(SystemCodePage, RefusesBestFitLookAlikes) {
  const SystemCodePage system;
  // Neither 1251 nor 1252 has U+0100 (A with macron); best fit would give "A".
  EXPECT_EQ(system.Encode(U'\u0100'), std::nullopt);
  EXPECT_EQ(system.Encode(U'中'), std::nullopt);
  EXPECT_EQ(system.Encode(U'😀'), std::nullopt);
  EXPECT_EQ(system.Encode(U'a'), "a");
}

TEST(SystemCodePage, AWesternSystemGetsRussianTextAsEscapes) {
  if (GetACP() != 1252) GTEST_SKIP() << "ANSI code page " << GetACP();
  const SystemCodePage system;
  EXPECT_EQ(system.Encode(U'é'), "\xE9");
  EXPECT_EQ(JavaScriptStringText("Стол é", system), "\\u0421\\u0442\\u043E\\u043B \xE9");
  EXPECT_EQ(HtmlText("Стол", system), "&#1057;&#1090;&#1086;&#1083;");
}

// Through the system's own conversions both ways: under 1252 the Russian letters travel as
// escapes, under 1251 as bytes.
TEST(SystemCodePage, CarriesDesktopScriptTextsThereAndBack) {
  const SystemCodePage system;
  for (unsigned seed = 0; seed < 3; ++seed) {
    const DesktopContent content = testing::TrickyContent(seed);
    const auto read = ReadDesktopScript(DesktopScript(content, "C:\\Mirella", system), system);
    ASSERT_TRUE(read.ok()) << read.message();
    testing::ExpectSameDesktop(read.value(), content);
  }
}

}  // namespace
}  // namespace mirella
