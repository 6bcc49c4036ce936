#include "app/wallpaper_pictures_win32.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <new>

#include "app/screen_desktop_picture_win32.h"
#include "render/desktop_renderer_win32.h"
#include "render/png_file_win32.h"

namespace mirella::app {
namespace {

constexpr const char* kDrawFailure = "Не удалось нарисовать Рабочий стол";
constexpr std::size_t kPixelOffset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);

Status OutOfMemory(int width, int height) {
  return Status::Failure(std::string(kDrawFailure) + ": не хватает памяти для картинки " +
                         std::to_string(width) + " × " + std::to_string(height) + ".");
}

// A 24-bit BMP file of that size, its pixels (bottom-up rows) still to be drawn; empty when
// there is no room for it.
std::string EmptyBmpFile(int width, int height, std::size_t stride) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  const std::size_t imageSize = stride * static_cast<std::size_t>(height);
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = kPixelOffset;
  file.bfSize = static_cast<DWORD>(kPixelOffset + imageSize);
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(imageSize);
  info.biXPelsPerMeter = info.biYPelsPerMeter = 3780;  // 96 dpi
  std::string bytes;
  try {
    bytes.assign(kPixelOffset + imageSize, '\0');
  } catch (const std::bad_alloc&) {
    return {};
  }
  std::memcpy(bytes.data(), &file, sizeof file);
  std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
  return bytes;
}

// The pixels of `area` (top-down coordinates) within bottom-up `pixels`, as pixels of their own.
render::BgrPixels Region(const render::BgrPixels& pixels, const render::Rect& area) {
  return {pixels.bits + pixels.stride * static_cast<std::size_t>(pixels.height - area.bottom) +
              static_cast<std::size_t>(area.left) * 3,
          area.Width(), area.Height(), pixels.stride};
}

// The monitor's picture drawn into each of its pieces of `target`.
bool DrawPart(const render::MonitorPart& part, const DesktopContent& content,
              const std::string& programFolder, const FileSystem& files,
              const render::BgrPixels& target) {
  const render::DesktopRenderer renderer(part.dpi / 96.0);
  // Another monitor shows the page's background only: a layout with no items.
  render::DesktopLayout layout;
  if (part.page) {
    layout = renderer.LayOut(content, part.width, part.height);
  } else {
    layout.width = part.width;
    layout.height = part.height;
    layout.scale = renderer.Scale();
  }
  const std::unique_ptr<render::DesktopPainting> painting =
      PrepareDesktopPainting(renderer, layout, programFolder, files);
  if (!painting) return false;
  for (const render::PicturePiece& piece : part.pieces) {
    if (!painting->Draw(Region(target, piece.target), POINT{piece.sourceX, piece.sourceY})) {
      return false;
    }
  }
  return true;
}

}  // namespace

Result<std::vector<std::string>> DrawWallpaperPictures(const render::WallpaperPlan& plan,
                                                       const DesktopContent& content,
                                                       const std::string& programFolder,
                                                       const FileSystem& files,
                                                       PictureFileFormat format) {
  std::vector<std::string> drawn;
  for (const render::PlannedPicture& picture : plan.pictures) {
    const int width = picture.width;
    const int height = picture.height;
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767) {
      return Status::Failure(std::string(kDrawFailure) + ": неверный размер картинки " +
                             std::to_string(width) + " × " + std::to_string(height) + ".");
    }
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::string bmp = EmptyBmpFile(width, height, stride);
    if (bmp.empty()) return OutOfMemory(width, height);
    const render::BgrPixels pixels{reinterpret_cast<std::uint8_t*>(bmp.data() + kPixelOffset),
                                   width, height, stride};
    for (const render::MonitorPart& part : picture.parts) {
      if (!DrawPart(part, content, programFolder, files, pixels)) {
        return OutOfMemory(width, height);
      }
    }
    if (format == PictureFileFormat::kPng) {
      Result<std::string> png = render::EncodePng(pixels);
      if (!png.ok()) return png.status();
      drawn.push_back(std::move(png).value());
    } else {
      drawn.push_back(std::move(bmp));
    }
  }
  return drawn;
}

}  // namespace mirella::app
