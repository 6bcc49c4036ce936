#pragma once
// A small modal input box built in code: a prompt, an input line, "ОК" and "Отмена".
// Enter means OK, Escape means Cancel.

#include <windows.h>

#include <optional>
#include <string>

namespace mirella::ui::win32 {

std::optional<std::wstring> RunInputBox(HINSTANCE instance, HWND owner, const std::wstring& prompt,
                                        const std::wstring& title, const std::wstring& initialText);

}  // namespace mirella::ui::win32
