#include "ui/win32/gdiplus_decoder.h"

#include <objbase.h>
#include <gdiplus.h>

#include <cstring>

#include "win32/handles.h"

namespace mirella::ui::win32 {

namespace {

// GDI+ is only the decoder where WIC is missing, so it is loaded then rather than imported, and
// programs with WIC never load it. By its bare name, as an import would find it.
struct GdiplusFunctions {
  Gdiplus::Status(WINAPI* startup)(ULONG_PTR*, const Gdiplus::GdiplusStartupInput*,
                                   Gdiplus::GdiplusStartupOutput*) = nullptr;
  void(WINAPI* shutdown)(ULONG_PTR) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* createBitmapFromStream)(IStream*, Gdiplus::GpBitmap**) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* disposeImage)(Gdiplus::GpImage*) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* getImageWidth)(Gdiplus::GpImage*, UINT*) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* getImageHeight)(Gdiplus::GpImage*, UINT*) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* bitmapLockBits)(Gdiplus::GpBitmap*, const Gdiplus::GpRect*, UINT,
                                                Gdiplus::PixelFormat,
                                                Gdiplus::BitmapData*) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* bitmapUnlockBits)(Gdiplus::GpBitmap*,
                                                  Gdiplus::BitmapData*) = nullptr;
  bool complete = false;
};

template <typename Function>
bool Find(Function& entry, HMODULE module, const char* name) {
  entry = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
  return entry != nullptr;
}

GdiplusFunctions LoadGdiplus() {
  GdiplusFunctions gdip;
  HMODULE module = LoadLibraryW(L"gdiplus.dll");  // kept for the process's life
  if (module == nullptr) return gdip;
  gdip.complete = Find(gdip.startup, module, "GdiplusStartup") &&
                  Find(gdip.shutdown, module, "GdiplusShutdown") &&
                  Find(gdip.createBitmapFromStream, module, "GdipCreateBitmapFromStream") &&
                  Find(gdip.disposeImage, module, "GdipDisposeImage") &&
                  Find(gdip.getImageWidth, module, "GdipGetImageWidth") &&
                  Find(gdip.getImageHeight, module, "GdipGetImageHeight") &&
                  Find(gdip.bitmapLockBits, module, "GdipBitmapLockBits") &&
                  Find(gdip.bitmapUnlockBits, module, "GdipBitmapUnlockBits");
  return gdip;
}

const GdiplusFunctions& Gdip() {
  static const GdiplusFunctions functions = LoadGdiplus();
  return functions;
}

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
  static void Free(Handle bitmap) { Gdip().disposeImage(bitmap); }
};
using GdiplusBitmap = UniqueResource<GdiplusBitmapTraits>;

}  // namespace

GdiplusDecoder::GdiplusDecoder() {
  if (!Gdip().complete) return;
  const Gdiplus::GdiplusStartupInput input;
  if (Gdip().startup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusDecoder::~GdiplusDecoder() {
  if (token_ != 0) Gdip().shutdown(token_);
}

std::optional<Picture> GdiplusDecoder::Decode(std::span<const std::byte> encoded) const {
  if (token_ == 0 || encoded.empty()) return std::nullopt;
  ComPtr<IStream> stream;
  if (!OpenMemoryStream(encoded, stream.Put())) return std::nullopt;
  GdiplusBitmap bitmap;
  if (Gdip().createBitmapFromStream(stream.Get(), bitmap.Put()) != Gdiplus::Ok) {
    bitmap.Release();  // nothing of a failed call is ours to dispose of
    return std::nullopt;
  }
  if (!bitmap) return std::nullopt;
  UINT width = 0;
  UINT height = 0;
  if (Gdip().getImageWidth(bitmap.Get(), &width) != Gdiplus::Ok ||
      Gdip().getImageHeight(bitmap.Get(), &height) != Gdiplus::Ok || width == 0 ||
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
  if (Gdip().bitmapLockBits(bitmap.Get(), &all,
                               Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                               PixelFormat32bppPARGB, &data) != Gdiplus::Ok) {
    return std::nullopt;
  }
  Gdip().bitmapUnlockBits(bitmap.Get(), &data);
  GdiFlush();
  return picture;
}

}  // namespace mirella::ui::win32
