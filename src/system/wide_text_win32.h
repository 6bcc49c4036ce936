#pragma once
// UTF-8 inside the program, UTF-16 at the W functions of Win32: conversion at the call.

#include <windows.h>

#include <string>
#include <string_view>

namespace mirella {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// The system's description of a Win32 error code, without the trailing line break and period.
std::string SystemErrorText(DWORD error);

}  // namespace mirella
