#include "app/layer/desktop_layer_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/desktop_frame_win32.h"
#include "app/layer/hot_spots.h"
#include "app/layer/layer_accessible_win32.h"
#include "app/layer/layer_links.h"
#include "app/layer/layer_placement.h"
#include "app/layer/layer_pointer.h"
#include "app/layer/shell_desktop_win32.h"
#include "app/screen_desktop_picture_win32.h"
#include "content/links.h"
#include "content/maker_site.h"
#include "generate/desktop_script.h"
#include "generate/desktop_script_reader.h"
#include "install/desktop_places.h"
#include "install/shown_pictures.h"
#include "render/desktop_layout.h"
#include "render/desktop_renderer_win32.h"
#include "system/desktop_layer_names_win32.h"
#include "win32/dpi.h"
#include "win32/handles.h"
#include "win32/newer_functions.h"
#include "win32/shell_functions.h"
#include "win32/system_exports.h"
#include "win32/wide_text.h"
#include "win32/window.h"

namespace mirella::app {
namespace {

constexpr COLORREF kHoverColour = RGB(0, 0, 255);  // the page's a:hover, #0000FF
constexpr UINT_PTR kReloadTimer = 1;
constexpr UINT_PTR kPlaceTimer = 2;
constexpr UINT_PTR kShellTimer = 3;
constexpr UINT_PTR kWallpaperTimer = 4;
// desktop.js is written in a few steps: it is read once the folder has been quiet this long.
constexpr UINT kReloadDelay = 300;
// The shell raises its host of the icons a moment after the foreground changes: the layer
// looks once more this much later.
constexpr UINT kPlaceAgainDelay = 100;
// The shell's windows change in bursts (an icon dragged, a window moved): they are read again
// once the burst is over.
constexpr UINT kShellQuietDelay = 50;
// A monitor attached or a resolution changed sends several messages in a row (display, work
// area, DPI): the wallpaper's pictures are drawn once they have been quiet this long.
constexpr UINT kWallpaperQuietDelay = 500;
// Posted by the accessible links: the link to open once the client's call has returned.
constexpr UINT kOpenLater = WM_APP + 3;
// dwmapi's attribute that keeps a window shown while Aero Peek shows the desktop (Windows 7).
constexpr DWORD kDwmExcludedFromPeek = 12;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

struct ZOrderWalk {
  HWND layer;
  HWND host;
  std::vector<WindowRole> roles;
};

BOOL CALLBACK AddVisibleWindow(HWND window, LPARAM context) {
  auto& walk = *reinterpret_cast<ZOrderWalk*>(context);
  try {  // no exception may unwind through the system's code that called us
    if (IsWindowVisible(window)) {
      walk.roles.push_back(window == walk.layer  ? WindowRole::kLayer
                           : window == walk.host ? WindowRole::kDesktop
                                                 : WindowRole::kApplication);
    }
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

// The roles of the visible top-level windows, from the top down.
std::vector<WindowRole> VisibleZOrder(HWND layer, HWND host) {
  ZOrderWalk walk{layer, host, {}};
  EnumWindows(AddVisibleWindow, reinterpret_cast<LPARAM>(&walk));
  return walk.roles;
}

// The shell's windows that hold or show the user's icons.
bool IsDesktopClass(HWND window) {
  const std::wstring name = ClassOf(window);
  return name == L"Progman" || name == L"WorkerW" || name == L"SHELLDLL_DefView" ||
         name == L"SysListView32";
}

class DesktopLayerWindow : public ui::win32::Window, private LayerLinkSite {
 public:
  enum class Load { kShown, kUnchanged, kMissing, kUnreadable };

  explicit DesktopLayerWindow(const LayerServices& services)
      : services_(services),
        programFolder_(services.environment.ProgramFolder()),
        reloadMessage_(RegisterWindowMessageW(kDesktopLayerReloadMessage)),
        endMessage_(RegisterWindowMessageW(kDesktopLayerEndMessage)),
        taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")) {}

  // Makes the window (hidden), draws the desktop into it and shows it at the bottom. False when
  // there is nothing to show.
  bool Open(HINSTANCE instance) {
    RegisterClassOnce(instance, kDesktopLayerClass, 0, LoadCursorW(nullptr, IDC_ARROW));
    const RECT area = PrimaryDesktopFrame(USER_DEFAULT_SCREEN_DPI).workArea;
    if (!Create(instance, kDesktopLayerClass, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP, area,
                nullptr)) {
      return false;
    }
    dpi_ = ui::win32::WindowDpi(Handle());
    if (Reload(true) != Load::kShown) return false;
    if (const auto setAttribute = ExportAs<HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD)>(
            FindSystemExport(L"dwmapi.dll", "DwmSetWindowAttribute"))) {
      const BOOL excluded = TRUE;
      setAttribute(Handle(), kDwmExcludedFromPeek, &excluded, sizeof excluded);
    }
    // A new window starts at the top of the z-order: it is put at the bottom as it is first
    // shown, so that it never stands over the window the user is working in, even for a moment.
    SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ShellChanged();
    return true;
  }

  // A change in the program folder: desktop.js is read again once the writing is over.
  void FolderChanged() { SetTimer(Handle(), kReloadTimer, kReloadDelay, nullptr); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == reloadMessage_) {
      Reload(true);
      return 0;
    }
    if (message == endMessage_) {
      DestroyWindow(Handle());
      return 0;
    }
    if (message == taskbarCreatedMessage_) {
      // Explorer started again: a new shell window, a new icon list, maybe another work area.
      // The icons are read once the shell has finished telling every window.
      Reload(true);
      SetTimer(Handle(), kShellTimer, kShellQuietDelay, nullptr);
      return 0;
    }
    switch (message) {
      case WM_PAINT: Paint(); return 0;
      case WM_ERASEBKGND: return 1;
      case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
      case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT) break;
        SetCursor(
            LoadCursorW(nullptr, CursorHere() == LayerCursor::kHand ? IDC_HAND : IDC_ARROW));
        return TRUE;
      case WM_MOUSEMOVE:
      case WM_MOUSELEAVE:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP: PointerMessage(message, lParam); return 0;
      case WM_TIMER: return OnTimer(wParam);
      case WM_DISPLAYCHANGE: DisplayChanged(); return 0;
      case WM_DPICHANGED:
        // The new DPI comes with the message; the layer keeps to its links, whatever size the
        // system suggests.
        dpi_ = HIWORD(wParam) != 0 ? HIWORD(wParam) : ui::win32::WindowDpi(Handle());
        DisplayChanged();
        return 0;
      case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA) DisplayChanged();
        break;
      case WM_GETOBJECT: return OnGetObject(wParam, lParam);
      case kForegroundChanged: ForegroundChanged(); return 0;
      case kShellChanged:
        if (IsOfTheDesktop(reinterpret_cast<HWND>(wParam))) {
          SetTimer(Handle(), kShellTimer, kShellQuietDelay, nullptr);
        }
        return 0;
      case kOpenLater: Open(LayerClick{static_cast<LayerClick::Target>(wParam),
                                       static_cast<int>(lParam)});
        return 0;
      case WM_DESTROY:
        watch_.Stop();
        PostQuitMessage(0);
        return 0;
      default: break;
    }
    return Default(message, wParam, lParam);
  }

 private:
  LRESULT OnTimer(WPARAM timer) {
    switch (timer) {
      case kReloadTimer:
        KillTimer(Handle(), kReloadTimer);
        // A desktop.js taken away means the program is gone; one half written is read again
        // at the next change.
        if (Reload(false) == Load::kMissing) DestroyWindow(Handle());
        return 0;
      case kPlaceTimer:
        KillTimer(Handle(), kPlaceTimer);
        Place();
        return 0;
      case kShellTimer:
        KillTimer(Handle(), kShellTimer);
        ShellChanged();
        return 0;
      case kWallpaperTimer:
        KillTimer(Handle(), kWallpaperTimer);
        // At the layer's DPI, so that the page under the links is laid out as the layer is.
        RedrawShownPictures(content_, programFolder_, dpi_,
                            RedrawServices{services_.environment, services_.registry,
                                           services_.files, services_.shell, services_.picture});
        return 0;
      default: return Default(WM_TIMER, timer, 0);
    }
  }

  // Reads desktop.js and draws it for the work area at the window's DPI (dpi_). `force` draws
  // even when the file has not changed (the display has).
  Load Reload(bool force) {
    const std::string scriptPath = DesktopScriptPath(programFolder_);
    if (!services_.files.FileExists(scriptPath)) return Load::kMissing;
    const Result<std::string> bytes = services_.files.ReadFile(scriptPath);
    if (!bytes) return Load::kUnreadable;
    if (!force && bytes.value() == scriptBytes_) return Load::kUnchanged;
    Result<DesktopContent> content = ReadDesktopScript(bytes.value(), services_.codePage);
    if (!content) return Load::kUnreadable;

    // Laid out as the wallpaper is (app/desktop_frame_win32.h), so that the layer's pixels are
    // the wallpaper's.
    const DesktopFrame frame = PrimaryDesktopFrame(dpi_);
    // No picture of the whole desktop is kept: the layout, the scaled pictures and the fonts
    // draw whatever part of it is to be shown, when it is (Paint).
    auto shown = std::make_unique<Shown>();
    shown->renderer = std::make_unique<render::DesktopRenderer>(frame.dpi / 96.0);
    shown->layout = shown->renderer->LayOut(content.value(), frame.workArea.right - frame.workArea.left,
                                            frame.workArea.bottom - frame.workArea.top);
    shown->painting =
        PrepareDesktopPainting(*shown->renderer, shown->layout, programFolder_, services_.files);
    if (!shown->painting) return Load::kUnreadable;
    shown->links = LayerLinks(shown->layout);
    shown_ = std::move(shown);
    pointer_.Show(&shown_->layout);
    content_ = std::move(content).value();
    scriptBytes_ = bytes.value();
    workOrigin_ = {frame.workArea.left, frame.workArea.top};
    FitToLinks();
    return Load::kShown;
  }

  // The window covers the box of the links and is clipped to them less the user's icons: the
  // rest of the screen is the shell's desktop's, for its icons, menus, drops and selections.
  void FitToLinks() {
    if (!shown_) return;
    std::vector<render::Rect> icons;
    for (const RECT& icon : icons_) {
      icons.push_back({icon.left - workOrigin_.x, icon.top - workOrigin_.y,
                       icon.right - workOrigin_.x, icon.bottom - workOrigin_.y});
    }
    const HotSpots spots = LayerHotSpots(shown_->layout, icons);
    const POINT origin{spots.bounds.left, spots.bounds.top};
    const bool moved = origin.x != pageOrigin_.x || origin.y != pageOrigin_.y ||
                       spots.bounds.Width() != size_.cx || spots.bounds.Height() != size_.cy;
    pageOrigin_ = origin;
    size_ = {spots.bounds.Width(), spots.bounds.Height()};
    if (moved) {
      SetWindowPos(Handle(), nullptr, workOrigin_.x + origin.x, workOrigin_.y + origin.y,
                   size_.cx, size_.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    std::vector<RECT> rects;
    for (const render::Rect& shape : spots.shapes) {
      rects.push_back({shape.left - origin.x, shape.top - origin.y, shape.right - origin.x,
                       shape.bottom - origin.y});
    }
    // One region made from the rectangles at once; the system owns it once it is set.
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(rects.size());
    header->nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    header->rcBound = {0, 0, size_.cx, size_.cy};
    std::copy(rects.begin(), rects.end(),
              reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
    const HRGN region = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                        reinterpret_cast<const RGNDATA*>(data.data()));
    if (region != nullptr && !SetWindowRgn(Handle(), region, TRUE)) DeleteObject(region);
    InvalidateRect(Handle(), nullptr, FALSE);
  }

  // The display changed: the layer draws itself anew at once and, while the wallpaper shows
  // the program's pictures, they are drawn and set again for the monitors as they are once the
  // burst of changes is over, so that the two never disagree for long.
  void DisplayChanged() {
    if (Reload(true) != Load::kShown) return;
    SetTimer(Handle(), kWallpaperTimer, kWallpaperQuietDelay, nullptr);
  }

  // The shell's desktop windows moved, appeared or went: the host and the icons read again.
  void ShellChanged() {
    FindShell(true);
    Place();
  }

  // Finds the shell's desktop again (a few lookups, done on every placement: "show desktop" may
  // have moved the icons into another window); the icons are read again when the list is another
  // or `readIcons` asks for it.
  void FindShell(bool readIcons) {
    const ShellDesktop found = FindShellDesktop();
    const bool other = found.host != shell_.host || found.list != shell_.list;
    shell_ = found;
    watch_.Start(shell_.process);
    if (!other && !readIcons) return;
    std::vector<RECT> icons = ReadDesktopIcons(shell_.list);
    const bool same = icons.size() == icons_.size() &&
                      std::equal(icons.begin(), icons.end(), icons_.begin(),
                                 [](const RECT& a, const RECT& b) { return EqualRect(&a, &b); });
    if (!same) {
      icons_ = std::move(icons);
      FitToLinks();
    }
  }

  bool IsOfTheDesktop(HWND window) const {
    if (window == nullptr) return false;
    if (window == shell_.host || window == shell_.list) return true;
    return IsDesktopClass(window);
  }

  // A foreground change (or a focus change that brought another foreground window): placed at
  // once, and again once the shell has raised or lowered its host.
  void ForegroundChanged() {
    const HWND foreground = GetForegroundWindow();
    if (foreground == lastForeground_) return;
    lastForeground_ = foreground;
    Place();
    SetTimer(Handle(), kPlaceTimer, kPlaceAgainDelay, nullptr);
  }

  // Just above the host of the icons, or at the bottom without one, as PlaceByState decides.
  void Place() {
    FindShell(false);
    const std::vector<WindowRole> order = VisibleZOrder(Handle(), shell_.host);
    if (PlaceByState(order) == LayerMove::kNone) return;
    constexpr UINT kFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (shell_.host == nullptr) {
      SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, kFlags);
      return;
    }
    // Right under the window above the host; under a topmost one the layer would become
    // topmost itself, so it then goes to the top of the ordinary windows.
    HWND above = GetWindow(shell_.host, GW_HWNDPREV);
    if (above == Handle()) return;
    if (above != nullptr && (GetWindowLongPtrW(above, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
      above = nullptr;
    }
    SetWindowPos(Handle(), above != nullptr ? above : HWND_TOP, 0, 0, 0, 0, kFlags);
  }

  // Draws the part to be painted in bands of rows through one small buffer, kept for the next
  // paint.
  void Paint() {
    const PaintDc dc(Handle());
    RECT area{};
    if (!shown_ || GetClipBox(dc.Get(), &area) == ERROR || area.right <= area.left ||
        area.bottom <= area.top) {
      return;
    }
    const int width = static_cast<int>(area.right - area.left);
    const int rows = std::min<int>(kBandRows, area.bottom - area.top);
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    if (band_.size() < stride * static_cast<std::size_t>(rows)) {
      band_.assign(stride * static_cast<std::size_t>(rows), 0);
    }
    const render::TextBlock* hovered = pointer_.HoveredCaption();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    for (int top = area.top; top < area.bottom; top += rows) {
      const int height = std::min<int>(rows, area.bottom - top);
      const render::BgrPixels target{band_.data(), width, height, stride};
      const POINT page{pageOrigin_.x + area.left, pageOrigin_.y + top};
      if (!shown_->painting->Draw(target, page, hovered, kHoverColour)) {
        return;  // no room for drawing now: the rest shows what was there until painted again
      }
      info.bmiHeader.biHeight = height;  // bottom-up, as the renderer draws
      SetDIBitsToDevice(dc.Get(), area.left, top, static_cast<DWORD>(width),
                        static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height),
                        band_.data(), &info, DIB_RGB_COLORS);
    }
  }

  // The pointer's messages, decided by the layer's pointer in the layout's pixels; the window
  // paints, tracks the leaving and opens as it answers.
  void PointerMessage(UINT message, LPARAM position) {
    const int x = static_cast<short>(LOWORD(position)) + pageOrigin_.x;
    const int y = static_cast<short>(HIWORD(position)) + pageOrigin_.y;
    switch (message) {
      case WM_MOUSEMOVE:
        Repaint(pointer_.MoveTo(x, y));
        FollowLeave();
        break;
      case WM_MOUSELEAVE:
        trackingLeave_ = false;
        Repaint(pointer_.Leave());
        break;
      case WM_LBUTTONDOWN: pointer_.Press(x, y); break;
      case WM_LBUTTONUP: Open(pointer_.Release(x, y)); break;
      default: break;
    }
  }

  // The pointer's leaving matters only to a caption in the hover colour; asked for only then,
  // since some systems watch for it with a timer.
  void FollowLeave() {
    if ((pointer_.HoveredCaption() != nullptr) == trackingLeave_) return;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
    if (trackingLeave_) track.dwFlags |= TME_CANCEL;
    if (TrackMouseEvent(&track)) trackingLeave_ = !trackingLeave_;
  }

  LayerCursor CursorHere() const {
    POINT cursor{};
    if (!GetCursorPos(&cursor) || !ScreenToClient(Handle(), &cursor)) return LayerCursor::kArrow;
    return pointer_.CursorAt(cursor.x + pageOrigin_.x, cursor.y + pageOrigin_.y);
  }

  // Paint draws the hovered caption in the hover colour: only the captions whose colour changed
  // are painted again.
  void Repaint(const CaptionChange& change) {
    for (const render::TextBlock* caption : {change.unhovered, change.hovered}) {
      if (caption != nullptr) Invalidate(shown_->renderer->TextBounds(*caption));
    }
  }

  void Invalidate(const render::Rect& area) {
    const RECT rect{area.left - pageOrigin_.x, area.top - pageOrigin_.y,
                    area.right - pageOrigin_.x, area.bottom - pageOrigin_.y};
    InvalidateRect(Handle(), &rect, FALSE);
  }

  LRESULT OnGetObject(WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT) {
      return Default(WM_GETOBJECT, wParam, lParam);
    }
    return accessible_.Answer(Handle(), wParam, static_cast<LayerLinkSite&>(*this));
  }

  // LayerLinkSite
  const std::vector<LayerLink>& Links() const override {
    static const std::vector<LayerLink> none;
    return shown_ ? shown_->links : none;
  }
  POINT LayoutOrigin() const override { return workOrigin_; }
  void OpenLater(const LayerClick& click) override {
    PostMessageW(Handle(), kOpenLater, static_cast<WPARAM>(click.target),
                 static_cast<LPARAM>(click.entry));
  }

  // The link with the shell, which shows its own message when the link cannot be opened.
  void Open(const LayerClick& click) {
    std::string target;
    std::string folder;
    if (click.target == LayerClick::Target::kEmblem) {
      target = std::string(kMakerSite);
    } else if (click.target == LayerClick::Target::kSettings) {
      target = programFolder_ + "\\desktop.exe";
      folder = programFolder_;
    } else if (click.target == LayerClick::Target::kEntry && click.entry >= 0 &&
               click.entry < kEntryCount) {
      target = PathOfLinkUrl(content_.EntryLink[static_cast<std::size_t>(click.entry)]);
    }
    if (target.empty()) return;
    const std::wstring file = Widen(target);
    const std::wstring directory = Widen(folder);
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_FLAG_DDEWAIT;  // the shell finishes before the call returns
    execute.hwnd = Handle();
    execute.lpFile = file.c_str();
    execute.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    execute.nShow = SW_SHOWNORMAL;
    // The layer is never the foreground window, and only the foreground may hand the
    // foreground on: without this the opened program would start behind the others.
    AllowSetForegroundWindow(ASFW_ANY);
    if (Shell().shellExecuteEx != nullptr) Shell().shellExecuteEx(&execute);
  }

  // Rows drawn at a time: a band of a 4K screen's width takes under 200 kB.
  static constexpr int kBandRows = 16;

  // The desktop as shown: the layout (for drawing, hit-testing and the hover colour), what
  // draws it, which refers to the other two, and its links.
  struct Shown {
    std::unique_ptr<render::DesktopRenderer> renderer;
    render::DesktopLayout layout;
    std::unique_ptr<render::DesktopPainting> painting;
    std::vector<LayerLink> links;
  };

  const LayerServices& services_;
  const std::string programFolder_;
  const UINT reloadMessage_;
  const UINT endMessage_;
  const UINT taskbarCreatedMessage_;
  std::string scriptBytes_;  // desktop.js as last shown
  DesktopContent content_;
  std::unique_ptr<Shown> shown_;
  std::vector<std::uint8_t> band_;  // Paint's rows, kept between paints
  int dpi_ = USER_DEFAULT_SCREEN_DPI;  // the window's, as the system last told it
  POINT workOrigin_{};   // the work area's top-left corner on the screen: the layout's (0, 0)
  POINT pageOrigin_{};   // the layout's point at the window's (0, 0)
  SIZE size_{};          // the window's
  bool trackingLeave_ = false;
  LayerPointer pointer_;
  ShellDesktop shell_;
  std::vector<RECT> icons_;  // the user's icons on the screen, as last read
  HWND lastForeground_ = nullptr;
  ShellEventWatch watch_;
  ui::win32::ClientAccessible<LayerAccessible> accessible_;
};

}  // namespace

int RunDesktopLayer(HINSTANCE instance, const LayerServices& services) {
  const UniqueKernelHandle instanceMutex(CreateMutexW(nullptr, FALSE, kDesktopLayerMutex));
  if (!instanceMutex || GetLastError() == ERROR_ALREADY_EXISTS) return 0;
  // ShellExecuteEx may hand a link to shell extensions, which are COM objects.
  const ComApartment com;

  DesktopLayerWindow layer(services);
  if (!layer.Open(instance)) return 0;

  const std::wstring folder = Widen(services.environment.ProgramFolder());
  const UniqueChangeNotification changes(FindFirstChangeNotificationW(
      folder.c_str(), FALSE,
      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE));
  // Nothing runs between events: the thread sleeps until a message or a change in the folder.
  for (;;) {
    const HANDLE handle = changes.Get();
    const DWORD count = changes ? 1 : 0;
    const DWORD woken = MsgWaitForMultipleObjects(count, &handle, FALSE, INFINITE, QS_ALLINPUT);
    if (count == 1 && woken == WAIT_OBJECT_0) {
      FindNextChangeNotification(handle);
      layer.FolderChanged();
      continue;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace mirella::app
