#include "ui/win32/pictures.h"

#include <wincodec.h>

#include <algorithm>
#include <cstring>

#include "render/bmp_image.h"
#include "ui/win32/gdiplus_decoder.h"
#include "win32/newer_functions.h"
#include "win32/resources.h"

namespace mirella::ui::win32 {

std::optional<Picture> NewPicture(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows, as the decoders write them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Picture picture;
  picture.bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!picture.bitmap || bits == nullptr) return std::nullopt;
  picture.width = width;
  picture.height = height;
  picture.pixels = static_cast<const std::uint32_t*>(bits);
  return picture;
}

namespace {

// An uncompressed BMP read without the system's decoders, which take a while to start.
std::optional<Picture> PictureOfBmp(std::span<const std::byte> encoded) {
  const std::optional<render::BmpFormat> format = render::ReadBmpFormat(encoded);
  if (!format) return std::nullopt;
  std::optional<Picture> picture = NewPicture(format->width, format->height);
  if (!picture) return std::nullopt;
  render::ReadBmpPixels(encoded, *format, const_cast<std::uint32_t*>(picture->pixels));
  return picture;
}

}  // namespace

PictureDecoder::PictureDecoder() {
  const auto createImagingFactory = Newer().createImagingFactory;
  if (createImagingFactory == nullptr || FAILED(createImagingFactory(factory_.Put()))) {
    factory_.Put();  // keeps nothing a failed call may have left
    gdiplus_ = std::make_unique<GdiplusDecoder>();
  }
}

PictureDecoder::~PictureDecoder() = default;

std::optional<Picture> PictureDecoder::Decode(std::span<const std::byte> encoded) const {
  if (gdiplus_ != nullptr) return gdiplus_->Decode(encoded);
  if (!factory_ || encoded.empty()) return std::nullopt;
  ComPtr<IWICStream> stream;
  if (FAILED(factory_->CreateStream(stream.Put()))) return std::nullopt;
  // WIC only reads the buffer; its signature just lacks the const.
  auto* bytes = reinterpret_cast<BYTE*>(const_cast<std::byte*>(encoded.data()));
  if (FAILED(stream->InitializeFromMemory(bytes, static_cast<DWORD>(encoded.size())))) {
    return std::nullopt;
  }
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory_->CreateDecoderFromStream(stream.Get(), nullptr,
                                               WICDecodeMetadataCacheOnDemand, decoder.Put())) ||
      FAILED(decoder->GetFrame(0, frame.Put())) ||
      FAILED(factory_->CreateFormatConverter(converter.Put())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return std::nullopt;
  }
  UINT width = 0;
  UINT height = 0;
  if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0) {
    return std::nullopt;
  }

  std::optional<Picture> picture = NewPicture(static_cast<int>(width), static_cast<int>(height));
  if (!picture) return std::nullopt;
  const UINT stride = width * 4;
  auto* bits = reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(picture->pixels));
  if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, bits))) return std::nullopt;
  GdiFlush();
  return picture;
}

const Picture* PictureLibrary::Get(const std::string& name) {
  auto found = pictures_.find(name);
  if (found != pictures_.end()) return found->second.get();
  const std::span<const std::byte> encoded = ResourceBytes(module_, name);
  std::optional<Picture> decoded = PictureOfBmp(encoded);
  if (!decoded) {
    if (decoder_ == nullptr) decoder_ = std::make_unique<PictureDecoder>();
    decoded = decoder_->Decode(encoded);
  }
  std::unique_ptr<Picture> picture;
  if (decoded) picture = std::make_unique<Picture>(std::move(*decoded));
  return pictures_.emplace(name, std::move(picture)).first->second.get();
}

void DrawPicture(HDC dc, const Picture& picture, const RECT& target, int dpi) {
  // Pictures keep their own size (scaled only with the display), clipped to the control, as a
  // form's pictures do; stretching a 400 x 393 background into a 398 x 392 client would blur it.
  const int width = MulDiv(picture.width, dpi, kScreenDpi);
  const int height = MulDiv(picture.height, dpi, kScreenDpi);
  const int shownWidth = std::min<int>(width, target.right - target.left);
  const int shownHeight = std::min<int>(height, target.bottom - target.top);
  if (shownWidth <= 0 || shownHeight <= 0) return;
  MemoryDc source(dc);
  SelectedObject selected(source.Get(), picture.bitmap.Get());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  // GDI's own export of AlphaBlend: msimg32.dll, which only forwards to it, need not be loaded.
  GdiAlphaBlend(dc, target.left, target.top, shownWidth, shownHeight, source.Get(), 0, 0,
                MulDiv(shownWidth, picture.width, width),
                MulDiv(shownHeight, picture.height, height), blend);
}

}  // namespace mirella::ui::win32
