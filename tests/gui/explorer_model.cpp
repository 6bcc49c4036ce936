// A model of Explorer's desktop, for the desktop layer's tests under Wine, whose own desktop is
// the root window itself. It builds the shell's desktop windows of one Windows release:
//
//   win7    "Program Manager" (Progman) > SHELLDLL_DefView > SysListView32
//   win10   WorkerW > SHELLDLL_DefView > SysListView32, above an empty WorkerW, above Progman
//   win11   Progman > SHELLDLL_DefView > SysListView32, and an empty WorkerW, both children of
//           Progman (24H2)
//
// Every window is the size of the screen and paints the wallpaper; the list is a real
// SysListView32 with three icons where the command line puts them, with a drop target. It logs
// what reaches it (right-clicks, double-clicks, drag starts, drops), is made the shell window if
// Wine allows it, and keeps the one rule of Windows that Wine lacks: the shell's desktop windows
// stand under every other window, so after any z-order change they go back to the bottom.
//
//   explorer_model.exe --log <file> --layout win7|win10|win11 --icon <x> <y> (three times)
//
// A second start with --command tells the running model to act as Explorer does:
//
//   show-desktop   "show desktop": win7 moves the DefView into a WorkerW raised to the top,
//                  win10 raises the WorkerW that holds the DefView, win11 raises Progman; an
//                  application of another process coming to the foreground ends it
//   start-menu     a Start menu stand-in of the shell's process takes the foreground
//   move-icon <i> <x> <y>   moves an icon, as the user drags it
//   hide-icons / show-icons   the desktop's "Show desktop icons"
//   restart        the desktop's windows destroyed and made anew, then TaskbarCreated
//   quit
//
// The log's lines: "ready <layout> shell-window yes|no accessible wine|model", "icon <i> <left>
// <top> <right> <bottom>" (screen pixels) after each placement, "right-click <x> <y> <item>"
// (-1 on the desktop itself),
// "double-click <item>", "drag-start <item>", "drop-enter", "show-desktop", "restarted".

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <ole2.h>

#include <array>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "ui/win32/accessible_object.h"

namespace {

enum class Layout { kWin7, kWin10, kWin11 };

constexpr wchar_t kControlClass[] = L"MirellaExplorerModelControl";
constexpr wchar_t kStartMenuClass[] = L"MirellaModelStartMenu";
constexpr UINT kRunCommand = WM_APP + 1;  // the command posted to itself, out of WM_COPYDATA
constexpr UINT_PTR kBottomTimer = 1;
// The model's stand-in for the rules that Windows and Explorer keep without any timer.
constexpr UINT kBottomCheckMs = 40;

struct Model {
  Layout layout = Layout::kWin7;
  std::wstring logPath;
  std::array<POINT, 3> icons{};
  HINSTANCE instance = nullptr;
  HWND control = nullptr;
  HWND progman = nullptr;
  HWND wallpaperWorker = nullptr;  // win10 (top-level), win11 (child of Progman)
  HWND iconWorker = nullptr;       // win10: the WorkerW holding the DefView
  HWND shownWorker = nullptr;      // win7: the WorkerW that "show desktop" raises
  HWND defView = nullptr;
  HWND list = nullptr;
  HWND startMenu = nullptr;
  HBITMAP wallpaper = nullptr;
  bool desktopShown = false;
  bool modelAccessible = false;
  IDropTarget* dropTarget = nullptr;
} model;

void Log(const std::string& line) {
  const HANDLE file = CreateFileW(model.logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

std::string Number(long value) { return std::to_string(value); }

// The window that holds the DefView at the top level: the one "show desktop" raises.
HWND IconHost() { return GetAncestor(model.defView, GA_ROOT); }

void LoadWallpaper() {
  if (model.wallpaper != nullptr) DeleteObject(model.wallpaper);
  wchar_t path[MAX_PATH] = {};
  SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
  model.wallpaper = path[0] != L'\0' ? static_cast<HBITMAP>(LoadImageW(
                                           nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE))
                                     : nullptr;
}

// Every window of the model paints the part of the wallpaper it covers, as the shell's list
// shows the wallpaper through its background.
void PaintWallpaper(HWND window, HDC dc) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  if (model.wallpaper == nullptr) {
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_DESKTOP + 1));
    return;
  }
  const HDC source = CreateCompatibleDC(dc);
  const HGDIOBJ old = SelectObject(source, model.wallpaper);
  BitBlt(dc, 0, 0, client.right, client.bottom, source, origin.x, origin.y, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

// The model's top-level windows that belong at the bottom, from the top down.
std::vector<HWND> BottomStack() {
  std::vector<HWND> stack;
  const HWND host = IconHost();
  for (const HWND window : {model.iconWorker, model.wallpaperWorker, model.progman}) {
    if (window == nullptr || GetParent(window) != nullptr) continue;
    if (model.desktopShown && window == host) continue;
    stack.push_back(window);
  }
  return stack;
}

HWND NextVisible(HWND window) {
  do {
    window = GetWindow(window, GW_HWNDNEXT);
  } while (window != nullptr && !IsWindowVisible(window));
  return window;
}

void KeepAtBottom() {
  const std::vector<HWND> stack = BottomStack();
  if (stack.empty()) return;
  bool right = NextVisible(stack.back()) == nullptr;
  for (std::size_t i = 0; right && i + 1 < stack.size(); ++i) {
    right = NextVisible(stack[i]) == stack[i + 1];
  }
  if (right) return;
  constexpr UINT kFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  SetWindowPos(stack.front(), HWND_BOTTOM, 0, 0, 0, 0, kFlags);
  for (std::size_t i = 1; i < stack.size(); ++i) {
    SetWindowPos(stack[i], stack[i - 1], 0, 0, 0, 0, kFlags);
  }
}

void LogIcons() {
  for (int item = 0; item < 3; ++item) {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    if (!SendMessageW(model.list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&bounds))) {
      continue;
    }
    MapWindowPoints(model.list, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
    Log("icon " + Number(item) + " " + Number(bounds.left) + " " + Number(bounds.top) + " " +
        Number(bounds.right) + " " + Number(bounds.bottom));
  }
}

// The list's own Active Accessibility object, as Explorer's list offers it: the icons as simple
// children, each with its name and its place on the screen. Used where Wine's list gives none.
class ListAccessible : public mirella::ui::win32::AccessibleObject {
 public:
  explicit ListAccessible(HWND list) : list_(list) {}

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    *parent = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    *count = static_cast<LONG>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    *out = nullptr;
    return Valid(child) ? S_FALSE : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!Valid(child)) return E_INVALIDARG;
    if (child.lVal == CHILDID_SELF) return mirella::ui::win32::ReturnText(L"FolderView", name);
    wchar_t text[128] = {};
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(list_, LVM_GETITEMTEXTW, child.lVal - 1, reinterpret_cast<LPARAM>(&item));
    return mirella::ui::win32::ReturnText(text, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override { return None(value); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override { return None(text); }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!Valid(child)) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = child.lVal == CHILDID_SELF ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!Valid(child)) return E_INVALIDARG;
    state->vt = VT_I4;
    state->lVal = IsWindowVisible(list_) ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_INVISIBLE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override { return None(text); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    *topic = 0;
    return None(file);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* text) override {
    return None(text);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    child->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* child) override {
    child->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* text) override {
    return None(text);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    if (!Valid(child)) return E_INVALIDARG;
    RECT bounds{};
    if (child.lVal == CHILDID_SELF) {
      GetClientRect(list_, &bounds);
    } else {
      bounds.left = LVIR_BOUNDS;
      SendMessageW(list_, LVM_GETITEMRECT, child.lVal - 1, reinterpret_cast<LPARAM>(&bounds));
    }
    MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
    *left = bounds.left;
    *top = bounds.top;
    *width = bounds.right - bounds.left;
    *height = bounds.bottom - bounds.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT* end) override {
    end->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    ScreenToClient(list_, &hit.pt);
    const LRESULT item = SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    child->vt = VT_I4;
    child->lVal = item >= 0 ? static_cast<LONG>(item) + 1 : CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }

 private:
  bool Valid(const VARIANT& child) const {
    if (child.vt != VT_I4) return false;
    return child.lVal >= 0 && child.lVal <= SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0);
  }
  static HRESULT None(BSTR* text) {
    *text = nullptr;
    return S_FALSE;
  }
  HWND list_;
};

class DropTarget : public IDropTarget {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IDropTarget))) {
      *object = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives as long as the model
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    Log("drop-enter");
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    Log("drop");
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
} dropTarget;

WNDPROC listProcedure = nullptr;

LRESULT CALLBACK ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    PaintWallpaper(window, reinterpret_cast<HDC>(wParam));
    return 1;
  }
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT &&
      model.modelAccessible) {
    ListAccessible* accessible = new ListAccessible(window);
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, accessible);
    accessible->Release();
    return result;
  }
  return CallWindowProcW(listProcedure, window, message, wParam, lParam);
}

// The shell's desktop windows: the wallpaper, and what the list tells its parent.
LRESULT CALLBACK DesktopProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: PaintWallpaper(window, reinterpret_cast<HDC>(wParam)); return 1;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETDESKWALLPAPER) {
        LoadWallpaper();
        RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
      }
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom != model.list) break;
      if (header->code == NM_RCLICK) {
        POINT cursor{};
        GetCursorPos(&cursor);
        Log("right-click " + Number(cursor.x) + " " + Number(cursor.y) + " " +
            Number(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem));
      } else if (header->code == NM_DBLCLK) {
        Log("double-click " + Number(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem));
      } else if (header->code == LVN_BEGINDRAG || header->code == LVN_BEGINRDRAG) {
        Log("drag-start " + Number(reinterpret_cast<const NMLISTVIEW*>(lParam)->iItem));
      }
      return 0;
    }
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(const wchar_t* className, const wchar_t* title, HWND parent) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const DWORD style = parent != nullptr ? WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS
                                        : WS_POPUP | WS_CLIPCHILDREN;
  const DWORD exStyle = parent != nullptr ? 0 : WS_EX_TOOLWINDOW;
  return CreateWindowExW(exStyle, className, title, style, 0, 0, width, height, parent, nullptr,
                         model.instance, nullptr);
}

void MakeList(HWND defView) {
  RECT client{};
  GetClientRect(defView, &client);
  model.list = CreateWindowExW(0, WC_LISTVIEWW, L"FolderView",
                               WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SHOWSELALWAYS, 0, 0,
                               client.right, client.bottom, defView, nullptr, model.instance,
                               nullptr);
  listProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      model.list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProcedure)));
  SendMessageW(model.list, LVM_SETBKCOLOR, 0, CLR_NONE);
  SendMessageW(model.list, LVM_SETTEXTBKCOLOR, 0, CLR_NONE);
  SendMessageW(model.list, LVM_SETTEXTCOLOR, 0, RGB(255, 255, 255));
  const HIMAGELIST images = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 3, 0);
  for (const LPCWSTR icon : {IDI_APPLICATION, IDI_INFORMATION, IDI_WARNING}) {
    ImageList_AddIcon(images, LoadIconW(nullptr, icon));
  }
  SendMessageW(model.list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
  const wchar_t* names[] = {L"Документ", L"Папка", L"Заметки"};
  for (int index = 0; index < 3; ++index) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.iImage = index;
    item.pszText = const_cast<wchar_t*>(names[index]);
    SendMessageW(model.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  RegisterDragDrop(model.list, &dropTarget);
}

// Whether the system's accessible object for the list has the icons as children.
bool WineListHasChildren() {
  IAccessible* accessible = nullptr;
  if (FAILED(CreateStdAccessibleObject(model.list, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&accessible)))) {
    return false;
  }
  LONG count = 0;
  accessible->get_accChildCount(&count);
  accessible->Release();
  return count >= 3;
}

void MakeDesktop() {
  model.progman = MakeWindow(L"Progman", L"Program Manager", nullptr);
  HWND listParent = model.progman;
  if (model.layout == Layout::kWin10) {
    model.wallpaperWorker = MakeWindow(L"WorkerW", L"", nullptr);
    model.iconWorker = MakeWindow(L"WorkerW", L"", nullptr);
    listParent = model.iconWorker;
  }
  if (model.layout == Layout::kWin11) {
    model.wallpaperWorker = MakeWindow(L"WorkerW", L"", model.progman);
  }
  model.defView = MakeWindow(L"SHELLDLL_DefView", L"", listParent);
  if (model.layout == Layout::kWin11) {
    // The wallpaper's WorkerW under the DefView among Progman's children.
    SetWindowPos(model.wallpaperWorker, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  MakeList(model.defView);
  for (const HWND window : {model.progman, model.wallpaperWorker, model.iconWorker}) {
    if (window != nullptr && GetParent(window) == nullptr) {
      SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
  }
  KeepAtBottom();
}

// The icons where the test wants them, once the list has been shown: Wine's list places the
// items it is given before it is shown by its own arrangement when it is first drawn.
void PlaceIcons() {
  for (int index = 0; index < 3; ++index) {
    const POINT at = model.icons[static_cast<std::size_t>(index)];
    SendMessageW(model.list, LVM_SETITEMPOSITION, index, MAKELPARAM(at.x, at.y));
  }
  InvalidateRect(model.list, nullptr, TRUE);
  UpdateWindow(model.list);
}

void DestroyDesktop() {
  if (model.list != nullptr) RevokeDragDrop(model.list);
  for (HWND* window : {&model.shownWorker, &model.iconWorker, &model.wallpaperWorker,
                       &model.progman}) {
    if (*window != nullptr && GetParent(*window) == nullptr) DestroyWindow(*window);
    *window = nullptr;
  }
  model.defView = model.list = nullptr;
  model.desktopShown = false;
}

bool MakeShellWindow() {
  using SetShellWindowFunction = BOOL(WINAPI*)(HWND);
  const auto setShellWindow = reinterpret_cast<SetShellWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetShellWindow")));
  return setShellWindow != nullptr && setShellWindow(model.progman) && GetShellWindow() == model.progman;
}

// Windows tells win-event hooks of every foreground change; Wine does not, so the model tells
// them of those it makes.
void NotifyForeground(HWND window) {
  NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
}

void ShowDesktop() {
  if (model.desktopShown) return;
  model.desktopShown = true;
  if (model.layout == Layout::kWin7) {
    model.shownWorker = MakeWindow(L"WorkerW", L"", nullptr);
    SetParent(model.defView, model.shownWorker);
  }
  const HWND host = IconHost();
  SetWindowPos(host, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(host);
  NotifyForeground(host);
  Log("show-desktop");
}

void EndShowDesktop() {
  if (model.startMenu != nullptr) ShowWindow(model.startMenu, SW_HIDE);
  if (!model.desktopShown) return;
  model.desktopShown = false;
  if (model.layout == Layout::kWin7) {
    SetParent(model.defView, model.progman);
    DestroyWindow(model.shownWorker);
    model.shownWorker = nullptr;
  }
  KeepAtBottom();
  Log("show-desktop-ended");
}

// Another process's window came forward: Explorer ends "show desktop", and its menus go. Wine
// reports no foreground changes to win-event hooks, so the model looks with its timer.
void FollowForeground() {
  const HWND foreground = GetForegroundWindow();
  DWORD process = 0;
  if (foreground == nullptr || !IsWindowVisible(foreground) ||
      GetWindowThreadProcessId(foreground, &process) == 0 || process == GetCurrentProcessId()) {
    return;
  }
  EndShowDesktop();
}

void ShowStartMenu() {
  if (model.startMenu == nullptr) {
    const int height = GetSystemMetrics(SM_CYSCREEN);
    model.startMenu = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kStartMenuClass, L"Пуск",
                                      WS_POPUP | WS_BORDER, 0, height - 420, 320, 400, nullptr,
                                      nullptr, model.instance, nullptr);
  }
  SetWindowPos(model.startMenu, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(model.startMenu);
  NotifyForeground(model.startMenu);
}

// As Explorer tells every window once its taskbar is made, at its start and at a restart.
// Posted: a window that answers by asking the model's list for its icons must find the model
// free to answer.
void BroadcastTaskbarCreated() {
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
}

void Restart() {
  DestroyDesktop();
  MakeDesktop();
  UpdateWindow(IconHost());
  PlaceIcons();
  const bool shell = MakeShellWindow();
  LogIcons();
  Log(std::string("restarted shell-window ") + (shell ? "yes" : "no"));
  BroadcastTaskbarCreated();
}

void Run(const std::wstring& command) {
  int values[3] = {};
  if (command == L"show-desktop") {
    ShowDesktop();
  } else if (command == L"start-menu") {
    ShowStartMenu();
  } else if (std::swscanf(command.c_str(), L"move-icon %d %d %d", &values[0], &values[1],
                          &values[2]) == 3) {
    POINT at{values[1], values[2]};
    SendMessageW(model.list, LVM_SETITEMPOSITION32, values[0], reinterpret_cast<LPARAM>(&at));
    // As comctl32's list tells accessibility clients of a moved item.
    NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, model.list, OBJID_CLIENT, values[0] + 1);
    LogIcons();
  } else if (command == L"hide-icons" || command == L"show-icons") {
    ShowWindow(model.defView, command == L"hide-icons" ? SW_HIDE : SW_SHOW);
    NotifyWinEvent(command == L"hide-icons" ? EVENT_OBJECT_HIDE : EVENT_OBJECT_SHOW,
                   model.defView, OBJID_WINDOW, CHILDID_SELF);
    Log("icons " + std::string(command == L"hide-icons" ? "hidden" : "shown"));
  } else if (command == L"restart") {
    Restart();
  } else if (command == L"quit") {
    PostQuitMessage(0);
  }
}

LRESULT CALLBACK ControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      auto* command = new std::wstring(static_cast<const wchar_t*>(data->lpData),
                                       data->cbData / sizeof(wchar_t));
      PostMessageW(window, kRunCommand, 0, reinterpret_cast<LPARAM>(command));
      return TRUE;
    }
    case kRunCommand: {
      auto* command = reinterpret_cast<std::wstring*>(lParam);
      Run(*command);
      delete command;
      return 0;
    }
    case WM_TIMER:
      FollowForeground();
      KeepAtBottom();
      return 0;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int SendCommand(const std::wstring& command) {
  const HWND control = FindWindowExW(HWND_MESSAGE, nullptr, kControlClass, nullptr);
  if (control == nullptr) return 1;
  COPYDATASTRUCT data{};
  data.cbData = static_cast<DWORD>(command.size() * sizeof(wchar_t));
  data.lpData = const_cast<wchar_t*>(command.data());
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(control, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                             SMTO_ABORTIFHUNG, 10000, &result) && result
             ? 0
             : 1;
}

void RegisterClasses() {
  WNDCLASSW desktop{};
  desktop.lpfnWndProc = DesktopProcedure;
  desktop.hInstance = model.instance;
  desktop.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  desktop.style = CS_DBLCLKS;
  for (const wchar_t* name : {L"Progman", L"WorkerW", L"SHELLDLL_DefView"}) {
    desktop.lpszClassName = name;
    RegisterClassW(&desktop);
  }
  WNDCLASSW menu{};
  menu.lpfnWndProc = DefWindowProcW;
  menu.hInstance = model.instance;
  menu.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
  menu.lpszClassName = kStartMenuClass;
  RegisterClassW(&menu);
  WNDCLASSW control{};
  control.lpfnWndProc = ControlProcedure;
  control.hInstance = model.instance;
  control.lpszClassName = kControlClass;
  RegisterClassW(&control);
}

}  // namespace

int wmain(int count, wchar_t** arguments) {
  std::wstring layout;
  int icons = 0;
  for (int i = 1; i < count; ++i) {
    const std::wstring argument = arguments[i];
    if (argument == L"--command") {
      std::wstring command;
      for (int j = i + 1; j < count; ++j) command += (j > i + 1 ? L" " : L"") + std::wstring(arguments[j]);
      return SendCommand(command);
    }
    if (argument == L"--log" && i + 1 < count) model.logPath = arguments[++i];
    if (argument == L"--layout" && i + 1 < count) layout = arguments[++i];
    if (argument == L"--icon" && i + 2 < count && icons < 3) {
      model.icons[static_cast<std::size_t>(icons++)] = {std::wcstol(arguments[i + 1], nullptr, 10),
                                                        std::wcstol(arguments[i + 2], nullptr, 10)};
      i += 2;
    }
  }
  if (model.logPath.empty() || icons != 3) return 2;
  model.layout = layout == L"win10" ? Layout::kWin10 : layout == L"win11" ? Layout::kWin11
                                                                         : Layout::kWin7;
  model.instance = GetModuleHandleW(nullptr);
  SetProcessDPIAware();
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterClasses();
  LoadWallpaper();
  model.control = CreateWindowExW(0, kControlClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  model.instance, nullptr);
  MakeDesktop();
  UpdateWindow(IconHost());
  PlaceIcons();
  const bool shell = MakeShellWindow();
  model.modelAccessible = !WineListHasChildren();
  SetTimer(model.control, kBottomTimer, kBottomCheckMs, nullptr);
  BroadcastTaskbarCreated();
  LogIcons();
  Log(std::string("ready ") + (model.layout == Layout::kWin10   ? "win10"
                               : model.layout == Layout::kWin11 ? "win11"
                                                                : "win7") +
      " shell-window " + (shell ? "yes" : "no") + " accessible " +
      (model.modelAccessible ? "model" : "wine"));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DestroyDesktop();
  OleUninitialize();
  return 0;
}
