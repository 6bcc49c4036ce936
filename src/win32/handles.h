#pragma once
// Owners for the Win32 handles, memory blocks and COM objects that the program uses, so that each
// one is released on every path. The lowest Win32 floor: system, controls and ui all use these.

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace mirella {

// Owns one handle and frees it with Traits::Free. Traits::Invalid() is the value that owns
// nothing (a null handle for most kinds, INVALID_HANDLE_VALUE for files and searches).
template <typename Traits>
class UniqueResource {
 public:
  using Handle = typename Traits::Handle;

  UniqueResource() = default;
  explicit UniqueResource(Handle handle) : handle_(handle) {}
  UniqueResource(UniqueResource&& other) noexcept : handle_(other.Release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  ~UniqueResource() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  void Reset(Handle handle = Traits::Invalid()) {
    if (handle_ != Traits::Invalid()) Traits::Free(handle_);
    handle_ = handle;
  }
  // Gives up ownership, for a caller that frees the handle itself (and checks how that went).
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
  // For functions that return a new handle through an out parameter.
  Handle* Put() {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

namespace handle_traits {

// A kernel object whose "none" is null: a process token, a process, a thread.
struct Kernel {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { CloseHandle(handle); }
};

// A file from CreateFile, whose "none" is INVALID_HANDLE_VALUE.
struct File {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Free(Handle handle) { CloseHandle(handle); }
};

struct Find {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Free(Handle handle) { FindClose(handle); }
};

struct RegistryKey {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { RegCloseKey(handle); }
};

struct Module {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { FreeLibrary(handle); }
};

struct Menu {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { DestroyMenu(handle); }
};

// A folder watch from FindFirstChangeNotification.
struct ChangeNotification {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Free(Handle handle) { FindCloseChangeNotification(handle); }
};

struct WinEventHook {
  using Handle = HWINEVENTHOOK;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { UnhookWinEvent(handle); }
};

template <typename GdiHandle>
struct Gdi {
  using Handle = GdiHandle;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { DeleteObject(handle); }
};

// Memory the system allocated with LocalAlloc for the caller (FormatMessage,
// ConvertSidToStringSid).
template <typename T>
struct LocalMemory {
  using Handle = T*;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { LocalFree(handle); }
};

// Memory the shell or COM allocated with CoTaskMemAlloc for the caller.
template <typename T>
struct CoTaskMemory {
  using Handle = T*;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { CoTaskMemFree(handle); }
};

}  // namespace handle_traits

using UniqueKernelHandle = UniqueResource<handle_traits::Kernel>;
using UniqueFile = UniqueResource<handle_traits::File>;
using UniqueFind = UniqueResource<handle_traits::Find>;
using UniqueKey = UniqueResource<handle_traits::RegistryKey>;
using UniqueModule = UniqueResource<handle_traits::Module>;
using UniqueMenu = UniqueResource<handle_traits::Menu>;
using UniqueChangeNotification = UniqueResource<handle_traits::ChangeNotification>;
using UniqueWinEventHook = UniqueResource<handle_traits::WinEventHook>;
template <typename T>
using LocalMemory = UniqueResource<handle_traits::LocalMemory<T>>;
template <typename T>
using CoTaskMemory = UniqueResource<handle_traits::CoTaskMemory<T>>;

// A GDI object (font, brush, pen, bitmap), deleted with DeleteObject.
template <typename Handle>
using GdiObject = UniqueResource<handle_traits::Gdi<Handle>>;
using UniqueFont = GdiObject<HFONT>;
using UniqueBrush = GdiObject<HBRUSH>;
using UniquePen = GdiObject<HPEN>;
using UniqueBitmap = GdiObject<HBITMAP>;

// A COM interface pointer, released when it goes out of scope.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  Interface* Get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For functions that return a new reference through an out parameter.
  Interface** Put() {
    if (pointer_ != nullptr) pointer_->Release();
    pointer_ = nullptr;
    return &pointer_;
  }

 private:
  Interface* pointer_ = nullptr;
};

// CoInitializeEx / CoUninitialize for the lifetime of the object.
class ComApartment {
 public:
  ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

// Selects an object into a DC for the lifetime of the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A memory DC compatible with another DC, deleted at the end of the scope.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDc() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintDc() { EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// A screen DC released at the end of the scope.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace mirella
