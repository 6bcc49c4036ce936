#pragma once
// Turning UTF-8 text into the bytes of a generated file, in the file's code page. Each kind of
// place in a file has its own way to keep a character the code page cannot hold; text made only
// of characters the code page holds, and free of the characters escaped below, is encoded
// unchanged.

#include <string>
#include <string_view>

#include "generate/code_page.h"

namespace mirella {

// The inside of a double-quoted JavaScript string that reads back exactly as `text`: backslash,
// double quote, CR, LF, U+2028 and U+2029 are escaped, and a character the code page cannot hold
// becomes \uXXXX (two escapes, a surrogate pair, beyond the BMP).
std::string JavaScriptStringText(std::string_view text, const CodePage& codePage);

// Text of an HTML page: a character the code page cannot hold becomes a numeric character
// reference (&#NNNN;), which attribute values and text both read back as the character.
std::string HtmlText(std::string_view text, const CodePage& codePage);

// Text of a comment, which nothing reads back: a character the code page cannot hold becomes "?".
std::string CommentText(std::string_view text, const CodePage& codePage);

}  // namespace mirella
