// The desktop slideshow of Windows 8 and later, through the per-monitor wallpaper object. Where
// the object cannot be made (earlier systems, Wine) no slideshow runs.

#include <windows.h>
#include <shobjidl.h>

#include <utility>
#include <vector>

#include "system/desktop_shell_win32.h"
#include "win32/desktop_wallpaper.h"
#include "win32/handles.h"
#include "win32/shell_functions.h"
#include "win32/wide_text.h"

namespace mirella {
namespace {

bool CreateDesktopWallpaper(ComPtr<DesktopWallpaper>& wallpaper) {
  return SUCCEEDED(CoCreateInstance(kDesktopWallpaperClass, nullptr, CLSCTX_ALL,
                                    kDesktopWallpaperInterface,
                                    reinterpret_cast<void**>(wallpaper.Put())));
}

bool SlideshowRuns(DesktopWallpaper& wallpaper) {
  DWORD state = 0;
  return SUCCEEDED(wallpaper.GetStatus(&state)) && (state & kSlideshowConfigured) != 0;
}

Status Failure(const std::string& what, HRESULT result) {
  return Status::Failure(what + ": " + SystemErrorText(static_cast<DWORD>(result)) + ".");
}

// The file path of every item the slideshow shows.
Result<std::vector<std::string>> ItemPaths(IShellItemArray& items) {
  constexpr const char* kWhat = "Не удалось узнать, какие рисунки показывает показ слайдов";
  DWORD count = 0;
  if (const HRESULT result = items.GetCount(&count); FAILED(result)) return Failure(kWhat, result);
  std::vector<std::string> paths;
  for (DWORD i = 0; i < count; ++i) {
    ComPtr<IShellItem> item;
    HRESULT result = items.GetItemAt(i, item.Put());
    CoTaskMemory<wchar_t> path;
    if (SUCCEEDED(result)) result = item->GetDisplayName(SIGDN_FILESYSPATH, path.Put());
    if (FAILED(result)) return Failure(kWhat, result);
    paths.push_back(Narrow(path.Get()));
  }
  return paths;
}

// Owns the item lists made from the paths, for SHCreateShellItemArrayFromIDLists.
class ItemLists {
 public:
  ItemLists() = default;
  ItemLists(const ItemLists&) = delete;
  ItemLists& operator=(const ItemLists&) = delete;
  ~ItemLists() {
    for (PIDLIST_ABSOLUTE list : lists_) CoTaskMemFree(list);
  }
  HRESULT Add(const std::string& path) {
    if (Shell().shParseDisplayName == nullptr) return E_NOTIMPL;
    PIDLIST_ABSOLUTE list = nullptr;
    const HRESULT result = Shell().shParseDisplayName(Widen(path).c_str(), nullptr, &list, 0,
                                                      nullptr);
    if (SUCCEEDED(result)) lists_.push_back(list);
    return result;
  }
  HRESULT MakeArray(IShellItemArray** items) const {
    const auto create = Shell().shCreateShellItemArrayFromIDLists;
    if (create == nullptr) return E_NOTIMPL;
    return create(static_cast<UINT>(lists_.size()),
                  const_cast<PCIDLIST_ABSOLUTE_ARRAY>(
                      reinterpret_cast<const PCIDLIST_ABSOLUTE*>(lists_.data())),
                  items);
  }

 private:
  std::vector<PIDLIST_ABSOLUTE> lists_;
};

}  // namespace

Result<SlideshowState> Win32DesktopShell::GetSlideshowState() {
  const ComApartment apartment;
  SlideshowState slideshow;
  ComPtr<DesktopWallpaper> wallpaper;
  if (!CreateDesktopWallpaper(wallpaper) || !SlideshowRuns(*wallpaper.Get())) return slideshow;
  ComPtr<IShellItemArray> items;
  if (const HRESULT result = wallpaper->GetSlideshow(items.Put()); FAILED(result)) {
    return Failure("Не удалось узнать, какие рисунки показывает показ слайдов", result);
  }
  auto paths = ItemPaths(*items.Get());
  if (!paths) return paths.status();
  DWORD options = 0;
  UINT tick = 0;
  if (const HRESULT result = wallpaper->GetSlideshowOptions(&options, &tick); FAILED(result)) {
    return Failure("Не удалось узнать настройки показа слайдов", result);
  }
  slideshow.running = true;
  slideshow.items = std::move(paths).value();
  slideshow.shuffled = (options & kSlideshowShuffle) != 0;
  slideshow.intervalMs = tick;
  return slideshow;
}

// The object has no call that only stops: setting one picture on every monitor ends the
// slideshow, as choosing a picture in the system's settings does. The picture it showed stays.
Status Win32DesktopShell::StopSlideshow() {
  const ComApartment apartment;
  ComPtr<DesktopWallpaper> wallpaper;
  if (!CreateDesktopWallpaper(wallpaper) || !SlideshowRuns(*wallpaper.Get())) return Status::Ok();
  constexpr const char* kWhat = "Не удалось остановить показ слайдов Рабочего стола";
  CoTaskMemory<wchar_t> monitor;
  CoTaskMemory<wchar_t> shown;
  HRESULT result = wallpaper->GetMonitorDevicePathAt(0, monitor.Put());
  if (SUCCEEDED(result)) result = wallpaper->GetWallpaper(monitor.Get(), shown.Put());
  if (SUCCEEDED(result)) result = wallpaper->SetWallpaper(nullptr, shown.Get());
  if (FAILED(result)) return Failure(kWhat, result);
  if (SlideshowRuns(*wallpaper.Get())) return Status::Failure(std::string(kWhat) + ".");
  return Status::Ok();
}

Status Win32DesktopShell::StartSlideshow(const SlideshowState& slideshow) {
  const ComApartment apartment;
  constexpr const char* kWhat = "Не удалось снова запустить показ слайдов Рабочего стола";
  ComPtr<DesktopWallpaper> wallpaper;
  if (!CreateDesktopWallpaper(wallpaper)) {
    return Status::Failure(std::string(kWhat) + ": в системе нет показа слайдов.");
  }
  ItemLists lists;
  HRESULT result = S_OK;
  for (const std::string& path : slideshow.items) {
    if (result = lists.Add(path); FAILED(result)) {
      return Failure(std::string(kWhat) + " (\"" + path + "\")", result);
    }
  }
  ComPtr<IShellItemArray> items;
  result = lists.MakeArray(items.Put());
  if (SUCCEEDED(result)) {
    result = wallpaper->SetSlideshowOptions(slideshow.shuffled ? kSlideshowShuffle : 0,
                                            slideshow.intervalMs);
  }
  if (SUCCEEDED(result)) result = wallpaper->SetSlideshow(items.Get());
  if (FAILED(result)) return Failure(kWhat, result);
  return Status::Ok();
}

}  // namespace mirella
