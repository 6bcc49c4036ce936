#include "ui/win32/pictures.h"

#include <wincodec.h>

#include <algorithm>
#include <cstring>

#include "ui/win32/resources.h"

namespace mirella::ui::win32 {

PictureDecoder::PictureDecoder() {
  CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                   IID_PPV_ARGS(factory_.Put()));
}

PictureDecoder::~PictureDecoder() = default;

std::optional<Picture> PictureDecoder::Decode(std::span<const std::byte> encoded) const {
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

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down rows, as WIC writes them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Picture picture;
  picture.bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!picture.bitmap || bits == nullptr) return std::nullopt;
  const UINT stride = width * 4;
  if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
    return std::nullopt;
  }
  GdiFlush();
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.pixels = static_cast<const std::uint32_t*>(bits);
  return picture;
}

const Picture* PictureLibrary::Get(const std::string& name) {
  auto found = pictures_.find(name);
  if (found != pictures_.end()) return found->second.get();
  std::unique_ptr<Picture> picture;
  if (auto decoded = decoder_.Decode(ResourceBytes(module_, name))) {
    picture = std::make_unique<Picture>(std::move(*decoded));
  }
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
  AlphaBlend(dc, target.left, target.top, shownWidth, shownHeight, source.Get(), 0, 0,
             MulDiv(shownWidth, picture.width, width), MulDiv(shownHeight, picture.height, height),
             blend);
}

}  // namespace mirella::ui::win32
