#pragma once
// What the desktop layer (desktop.exe /layer) and the programs that start and end it agree on:
// its window class, its single-instance mutex and the messages it answers.

namespace mirella {

// The layer's top-level window, found by its class in the user's session.
inline constexpr wchar_t kDesktopLayerClass[] = L"MirellaDesktopLayer";
// Held by the running layer; "Local\" keeps one layer per user session.
inline constexpr wchar_t kDesktopLayerMutex[] = L"Local\\MirellaDesktopLayer";
// Registered window messages, posted to the layer's window: read desktop.js again, and end.
inline constexpr wchar_t kDesktopLayerReloadMessage[] = L"MirellaDesktopLayerReload";
inline constexpr wchar_t kDesktopLayerEndMessage[] = L"MirellaDesktopLayerEnd";

}  // namespace mirella
