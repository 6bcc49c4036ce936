#include "app/desktop_item_names.h"

namespace mirella::app {

std::string_view DesktopItemName(AppliedItem item) {
  switch (item) {
    case AppliedItem::kDesktopScript: return "desktop.js";
    case AppliedItem::kDesktopFile: return "Desktop.htt";
    case AppliedItem::kDesktopWallpaper:
      return "параметр реестра \"Wallpaper\" в разделе \"Control Panel\\Desktop\"";
    case AppliedItem::kWallpaperStyle:
      return "параметр реестра \"WallpaperStyle\" в разделе \"Control Panel\\Desktop\"";
    case AppliedItem::kTileWallpaper:
      return "параметр реестра \"TileWallpaper\" в разделе \"Control Panel\\Desktop\"";
    case AppliedItem::kPageWallpaper:
      return "параметр реестра \"Wallpaper\" в разделе "
             "\"Software\\Microsoft\\Internet Explorer\\Desktop\\General\"";
    case AppliedItem::kPicture: return "рисунок Рабочего стола desktop.bmp";
    case AppliedItem::kShownDesktop: return "рисунок, который показывает Рабочий стол";
    case AppliedItem::kSavedDesktop: return "сохранённый прежний Рабочий стол";
    case AppliedItem::kLayerStartup:
      return "параметр реестра \"Mirella\" в разделе "
             "\"Software\\Microsoft\\Windows\\CurrentVersion\\Run\"";
    case AppliedItem::kWebDesktop: return "настройки веб-рабочего стола (Active Desktop)";
    case AppliedItem::kSlideshow: return "показ слайдов Рабочего стола";
  }
  return {};
}

}  // namespace mirella::app
