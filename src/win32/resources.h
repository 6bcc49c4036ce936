#pragma once
// Files embedded in the executable. A file under assets/ is an RCDATA (or CURSOR) resource whose
// name is its path in upper case with every character other than a letter or digit turned into
// '_': "window/background.gif" is WINDOW_BACKGROUND_GIF in desktop.rc.

#include <windows.h>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace mirella::ui::win32 {

std::wstring ResourceNameOf(std::string_view assetPath);
// The bytes of an RCDATA resource, empty when the module has none of that name.
std::span<const std::byte> ResourceBytes(HMODULE module, std::string_view assetPath);

}  // namespace mirella::ui::win32
