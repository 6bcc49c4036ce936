#include "app/wallpaper_pictures_win32.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <new>

#include "app/screen_desktop_picture_win32.h"
#include "render/desktop_renderer_win32.h"
#include "render/monitor_areas_win32.h"
#include "render/png_file.h"
#include "win32/handles.h"

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

// The monitor's picture drawn into each of its pieces of `target`. The page is laid out for the
// monitor's work area, as the desktop layer lays it out, the rest of the monitor showing the
// page's background.
bool DrawPart(const render::MonitorPart& part, const DesktopContent& content,
              const std::string& programFolder, const FileSystem& files,
              const render::BgrPixels& target) {
  const render::DesktopRenderer renderer(part.dpi / 96.0);
  // Another monitor shows the page's background only: a layout with no items over it all.
  render::DesktopLayout layout;
  render::Rect area{0, 0, part.width, part.height};
  if (part.page) {
    area = part.work;
    layout = renderer.LayOut(content, area.Width(), area.Height());
  } else {
    layout.width = part.width;
    layout.height = part.height;
    layout.scale = renderer.Scale();
  }
  const std::unique_ptr<render::DesktopPainting> painting =
      PrepareDesktopPainting(renderer, layout, programFolder, files);
  if (!painting) return false;
  for (const render::PicturePiece& piece : part.pieces) {
    // The piece's top-left is the monitor's point (sourceX, sourceY), the page's that less the
    // work area's corner.
    const render::BgrPixels pixels = Region(target, piece.target);
    const POINT origin{piece.sourceX - area.left, piece.sourceY - area.top};
    painting->DrawSurroundings(pixels, origin);
    if (!painting->Draw(pixels, origin)) return false;
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
  // PNG pictures are drawn one after another into one buffer and encoded from there: fresh memory
  // for each would cost as much to come by as a good share of the encoding.
  std::vector<std::uint8_t> reused;
  for (const render::PlannedPicture& picture : plan.pictures) {
    const int width = picture.width;
    const int height = picture.height;
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767) {
      return Status::Failure(std::string(kDrawFailure) + ": неверный размер картинки " +
                             std::to_string(width) + " × " + std::to_string(height) + ".");
    }
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::string bmp;
    std::uint8_t* bits = nullptr;
    if (format == PictureFileFormat::kPng) {
      try {
        reused.assign(stride * static_cast<std::size_t>(height), 0);
      } catch (const std::bad_alloc&) {
        return OutOfMemory(width, height);
      }
      bits = reused.data();
    } else {
      bmp = EmptyBmpFile(width, height, stride);
      if (bmp.empty()) return OutOfMemory(width, height);
      bits = reinterpret_cast<std::uint8_t*>(bmp.data() + kPixelOffset);
    }
    const render::BgrPixels pixels{bits, width, height, stride};
    for (const render::MonitorPart& part : picture.parts) {
      if (!DrawPart(part, content, programFolder, files, pixels)) {
        return OutOfMemory(width, height);
      }
    }
    if (format == PictureFileFormat::kPng) {
      drawn.push_back(render::EncodePng(pixels));
    } else {
      drawn.push_back(std::move(bmp));
    }
  }
  return drawn;
}

namespace {

// The shell's device paths given to the monitors it reports at the same place. Where one has none
// (the shell and the system disagree for a moment), the shell cannot be given a picture for each.
bool NameMonitors(std::vector<render::MonitorArea>& monitors,
                  const std::vector<MonitorWallpaper>& named) {
  bool all = true;
  for (render::MonitorArea& monitor : monitors) {
    monitor.device.clear();
    for (const MonitorWallpaper& known : named) {
      if (known.left == monitor.bounds.left && known.top == monitor.bounds.top &&
          known.right == monitor.bounds.right && known.bottom == monitor.bounds.bottom) {
        monitor.device = known.monitor;
      }
    }
    all = all && (monitor.bounds.Empty() || !monitor.device.empty());
  }
  return all;
}

PictureArrangement ArrangementOf(render::WallpaperArrangement arrangement) {
  switch (arrangement) {
    case render::WallpaperArrangement::kSpanned: return PictureArrangement::kSpanned;
    case render::WallpaperArrangement::kPerMonitor: return PictureArrangement::kPerMonitor;
    case render::WallpaperArrangement::kSingle: break;
  }
  return PictureArrangement::kSingle;
}

}  // namespace

Result<DrawnDesktop> ScreenDesktopPictures::Draw(
    const DesktopContent& content, const std::string& programFolder,
    const std::vector<MonitorWallpaper>& monitors, int primaryDpi) const {
  std::vector<render::MonitorArea> screen = render::ScreenMonitors();
  for (render::MonitorArea& monitor : screen) {
    if (monitor.primary && primaryDpi > 0) monitor.dpi = primaryDpi;
  }
  const bool perMonitor = !monitors.empty() && NameMonitors(screen, monitors);
  const render::WallpaperPlan plan = render::PlanWallpapers(screen, perMonitor);
  if (plan.pictures.empty()) {
    return Status::Failure(std::string(kDrawFailure) + ": система не сообщила ни одного монитора.");
  }
  // The shell that takes a picture per monitor decodes PNG; the one before it is given BMP.
  const PictureFileFormat format =
      monitors.empty() ? PictureFileFormat::kBmp : PictureFileFormat::kPng;
  auto drawn = DrawWallpaperPictures(plan, content, programFolder, files_, format);
  if (!drawn) return drawn.status();
  DrawnDesktop desktop;
  desktop.arrangement = ArrangementOf(plan.arrangement);
  desktop.extension = format == PictureFileFormat::kPng ? "png" : "bmp";
  std::vector<std::string> bytes = std::move(drawn).value();
  for (std::size_t index = 0; index < bytes.size(); ++index) {
    desktop.pictures.push_back({plan.pictures[index].device, std::move(bytes[index])});
  }
  return desktop;
}

}  // namespace mirella::app
