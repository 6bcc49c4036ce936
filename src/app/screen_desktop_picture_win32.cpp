#include "app/screen_desktop_picture_win32.h"

#include <windows.h>

#include <cstring>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "render/desktop_renderer_win32.h"
#include "render/gif_image.h"
#include "ui/win32/pictures.h"
#include "win32/dpi.h"
#include "win32/handles.h"

namespace mirella::app {
namespace {

using ui::win32::Picture;

constexpr const char* kDrawFailure = "Не удалось нарисовать Рабочий стол";

// The pictures of the program folder, decoded one at a time as the renderer asks for them: the
// theme's and icons/<n>.gif. A missing or broken picture is left out of the drawing, as the page
// leaves it out. GIFs are decoded here; another format (a picture replaced by hand) goes to the
// system's decoders.
class FolderPictures : public render::PictureSource {
 public:
  FolderPictures(const FileSystem& files, const std::string& programFolder)
      : files_(files), programFolder_(programFolder) {}

  render::PixelView ThemePicture(Theme which) override {
    const char* name = which == Theme::kBackground  ? "pal.gif"
                       : which == Theme::kEmblem    ? "emblem.gif"
                       : which == Theme::kColumnBar ? "pal_column.gif"
                                                    : "pal_bottom.gif";
    return Load(programFolder_ + "\\Themes\\Blue Classic\\" + name);
  }
  render::PixelView Icon(int picture) override {
    return Load(programFolder_ + "\\icons\\" + std::to_string(picture) + ".gif");
  }

 private:
  // The picture replaces the one decoded before it.
  render::PixelView Load(const std::string& path) {
    decoded_.reset();
    loaded_.reset();
    const Result<std::string> bytes = files_.ReadFile(path);
    if (!bytes.ok()) return {};
    const std::span<const std::byte> encoded = std::as_bytes(std::span(bytes.value()));
    decoded_ = render::DecodeGif(encoded);
    if (decoded_) return decoded_->View();
    if (!decoder_) {
      com_.emplace();  // the system's picture decoders are COM objects
      decoder_.emplace();
    }
    loaded_ = decoder_->Decode(encoded);
    if (!loaded_) return {};
    return {loaded_->pixels, loaded_->width, loaded_->height};
  }

  const FileSystem& files_;
  const std::string& programFolder_;
  std::optional<ComApartment> com_;
  std::optional<ui::win32::PictureDecoder> decoder_;
  std::optional<render::PixelImage> decoded_;
  std::optional<Picture> loaded_;
};

// A 24-bit BMP file of that size whose pixels are still to be drawn; the pixels start at
// kPixelOffset.
constexpr std::size_t kPixelOffset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);

std::string BmpFile(int width, int height, std::size_t stride) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  const std::size_t imageSize = stride * static_cast<std::size_t>(height);
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + imageSize);
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up rows, as the DIB section holds them
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(imageSize);
  info.biXPelsPerMeter = info.biYPelsPerMeter = 3780;  // 96 dpi
  std::string bytes(file.bfOffBits + imageSize, '\0');
  std::memcpy(bytes.data(), &file, sizeof file);
  std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
  return bytes;
}

}  // namespace

Result<std::string> DrawDesktopBmp(const DesktopContent& content, const std::string& programFolder,
                                   const FileSystem& files, int width, int height, int dpi) {
  DesktopFrame frame;
  frame.screenWidth = width;
  frame.screenHeight = height;
  frame.workArea = {0, 0, width, height};
  frame.dpi = dpi;
  return DrawDesktopBmp(content, programFolder, files, frame);
}

Result<std::string> DrawDesktopBmp(const DesktopContent& content, const std::string& programFolder,
                                   const FileSystem& files, const DesktopFrame& frame) {
  const int width = frame.screenWidth;
  const int height = frame.screenHeight;
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767) {
    return Status::Failure(std::string(kDrawFailure) + ": неверный размер экрана " +
                           std::to_string(width) + " × " + std::to_string(height) + ".");
  }
  const RECT& area = frame.workArea;
  const render::DesktopRenderer renderer(frame.dpi > 0 ? frame.dpi / 96.0 : 1.0);
  const render::DesktopLayout layout =
      renderer.LayOut(content, area.right - area.left, area.bottom - area.top);
  FolderPictures pictures(files, programFolder);

  // The pixels are drawn straight into the file's bytes, bottom-up rows as a BMP keeps them.
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  std::string bytes;
  try {
    bytes = BmpFile(width, height, stride);
  } catch (const std::bad_alloc&) {
  }
  const render::BgrPixels target{reinterpret_cast<std::uint8_t*>(bytes.data() + kPixelOffset),
                                 width, height, stride};
  // The screen's top-left corner is the page's point (-left, -top).
  const POINT origin{-area.left, -area.top};
  const std::unique_ptr<render::DesktopPainting> painting =
      bytes.empty() ? nullptr : renderer.Prepare(layout, pictures);
  if (painting != nullptr) painting->DrawSurroundings(target, origin);
  if (painting == nullptr || !painting->Draw(target, origin)) {
    return Status::Failure(std::string(kDrawFailure) + ": не хватает памяти для картинки " +
                           std::to_string(width) + " × " + std::to_string(height) + ".");
  }
  return bytes;
}

std::unique_ptr<render::DesktopPainting> PrepareDesktopPainting(
    const render::DesktopRenderer& renderer, const render::DesktopLayout& layout,
    const std::string& programFolder, const FileSystem& files) {
  FolderPictures pictures(files, programFolder);
  return renderer.Prepare(layout, pictures);
}

}  // namespace mirella::app
