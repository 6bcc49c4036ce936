#pragma once
// Desktop contents for round trips through desktop.js: every text is made of pieces of each kind
// the writer escapes or the code pages treat differently, drawn by a fixed seed. Needs no fakes,
// so that the Win32 tests can use it too.

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <string_view>

#include "content/desktop_content.h"

namespace mirella::testing {

// Quote, backslash, CR, LF, CR LF, the two JavaScript line separators, a closing script tag,
// text that looks like an escape, characters beyond the BMP and outside 1251 and 1252, the bytes
// 1251 has no letter for, and the NUL character.
inline constexpr std::array<std::string_view, 24> kTrickyPieces = {
    "\"", "\\", "\r", "\n", "\r\n", "\u2028", "\u2029", "</script>", "\\u0041", "\\\"",
    "😀", "中文", "\u0100", "é", "Ёлка", "€ № «»", "\u0098", "'", "\t", std::string_view("\0", 1),
    "\uFFFD", "Mirella", " ", "Рабочий стол"};

inline std::string TrickyText(std::mt19937& random) {
  std::string text;
  for (unsigned pieces = random() % 9; pieces > 0; --pieces) {
    text += kTrickyPieces[random() % kTrickyPieces.size()];
  }
  return text;
}

// Seed 0 ends every text with a backslash, the last character before the closing quote.
inline DesktopContent TrickyContent(unsigned seed) {
  std::mt19937 random(seed);
  const std::string end = seed == 0 ? "\\" : "";
  DesktopContent content;
  content.title = TrickyText(random) + end;
  content.col_1_title = TrickyText(random) + end;
  content.col_2_title = TrickyText(random) + end;
  content.desktop = TrickyText(random) + end;
  for (int i = 0; i < kEntryCount; ++i) {
    content.EntryCaption[i] = TrickyText(random) + end;
    content.EntryDescription[i] = TrickyText(random) + end;
    content.EntryLink[i] = random() % 4 == 0 ? "" : "file:///D:/" + TrickyText(random) + end;
    content.EntryPicture[i] = static_cast<std::int16_t>(random() % kPictureCount);
  }
  content.EntryPicture[0] = 0;
  content.EntryPicture[kEntryCount - 1] = kPictureCount - 1;
  return content;
}

// The part of a content that desktop.js holds.
inline void ExpectSameDesktop(const DesktopContent& read, const DesktopContent& written) {
  EXPECT_EQ(read.title, written.title);
  EXPECT_EQ(read.col_1_title, written.col_1_title);
  EXPECT_EQ(read.col_2_title, written.col_2_title);
  EXPECT_EQ(read.desktop, written.desktop);
  EXPECT_EQ(read.EntryCaption, written.EntryCaption);
  EXPECT_EQ(read.EntryDescription, written.EntryDescription);
  EXPECT_EQ(read.EntryLink, written.EntryLink);
  EXPECT_EQ(read.EntryPicture, written.EntryPicture);
}

}  // namespace mirella::testing
