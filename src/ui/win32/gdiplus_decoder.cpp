#include "ui/win32/gdiplus_decoder.h"

#include <objbase.h>
#include <gdiplus.h>

#include <cstring>

#include "system/handles_win32.h"

namespace mirella::ui::win32 {

namespace {

namespace gdip = Gdiplus::DllExports;

// A stream over a copy of the bytes: GDI+ reads the picture from an IStream, and XP's only
// public memory stream is one on an HGLOBAL (the stream frees it).
bool OpenMemoryStream(std::span<const std::byte> bytes, IStream** stream) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (memory == nullptr) return false;
  if (void* target = GlobalLock(memory)) {
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory);
    if (SUCCEEDED(CreateStreamOnHGlobal(memory, TRUE, stream))) return true;
  }
  GlobalFree(memory);
  return false;
}

// A GDI+ bitmap, disposed of with GdipDisposeImage.
struct GdiplusBitmapTraits {
  using Handle = Gdiplus::GpBitmap*;
  static Handle Invalid() { return nullptr; }
  static void Free(Handle bitmap) { gdip::GdipDisposeImage(bitmap); }
};
using GdiplusBitmap = UniqueResource<GdiplusBitmapTraits>;

}  // namespace

GdiplusDecoder::GdiplusDecoder() {
  const Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusDecoder::~GdiplusDecoder() {
  if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
}

std::optional<Picture> GdiplusDecoder::Decode(std::span<const std::byte> encoded) const {
  if (token_ == 0 || encoded.empty()) return std::nullopt;
  ComPtr<IStream> stream;
  if (!OpenMemoryStream(encoded, stream.Put())) return std::nullopt;
  GdiplusBitmap bitmap;
  if (gdip::GdipCreateBitmapFromStream(stream.Get(), bitmap.Put()) != Gdiplus::Ok) {
    bitmap.Release();  // nothing of a failed call is ours to dispose of
    return std::nullopt;
  }
  if (!bitmap) return std::nullopt;
  UINT width = 0;
  UINT height = 0;
  if (gdip::GdipGetImageWidth(bitmap.Get(), &width) != Gdiplus::Ok ||
      gdip::GdipGetImageHeight(bitmap.Get(), &height) != Gdiplus::Ok || width == 0 ||
      height == 0) {
    return std::nullopt;
  }
  std::optional<Picture> picture = NewPicture(static_cast<int>(width), static_cast<int>(height));
  if (!picture) return std::nullopt;
  // GDI+ converts straight into the picture's bits: top-down rows of premultiplied BGRA.
  Gdiplus::BitmapData data{};
  data.Width = width;
  data.Height = height;
  data.Stride = static_cast<INT>(width * 4);
  data.PixelFormat = PixelFormat32bppPARGB;
  data.Scan0 = const_cast<std::uint32_t*>(picture->pixels);
  const Gdiplus::GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  if (gdip::GdipBitmapLockBits(bitmap.Get(), &all,
                               Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                               PixelFormat32bppPARGB, &data) != Gdiplus::Ok) {
    return std::nullopt;
  }
  gdip::GdipBitmapUnlockBits(bitmap.Get(), &data);
  GdiFlush();
  return picture;
}

}  // namespace mirella::ui::win32
