#pragma once
// UTF-8 inside the program, UTF-16 at the W functions of Win32: conversion at the call.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace mirella {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// The system's description of a Win32 error code, without the trailing line break and period.
std::string SystemErrorText(DWORD error);

// The text a Win32 call writes into a buffer of the caller's: `fill(buffer, size)` returns the
// length it wrote, or the size it needs (with the terminating NUL) when the buffer is too small,
// or 0 on a failure. Asked again while the text grows between the calls; nullopt on a failure.
template <typename Fill>
std::optional<std::wstring> SizedText(Fill fill) {
  DWORD size = fill(nullptr, 0);
  for (int attempt = 0; size != 0 && attempt < 4; ++attempt) {
    std::wstring text(size, L'\0');
    const DWORD length = fill(text.data(), size);
    if (length == 0) return std::nullopt;
    if (length < size) {
      text.resize(length);
      return text;
    }
    size = length;
  }
  return std::nullopt;
}

}  // namespace mirella
