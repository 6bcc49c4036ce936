// What a screen reader in another process finds in a window through Active Accessibility.
//   accessibility_probe <window caption> [--do <name> | --type <name> <text>]
// Prints one line per element under the window's client object, depth first: its role number, a
// tab, its state in hex, a tab and its name (UTF-8). With "--do <name>" it runs the default action
// of the first element with that name instead and prints "done". With "--type <name> <text>" it
// puts the text into the text box of that name, as typing would, and prints the new name of
// every element the window announces as renamed within two seconds, one per line.
// Exit code 0 on success, 1 when the window or the element is not found, 2 on a failed call.

#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string Utf8(const wchar_t* text) {
  if (text == nullptr) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  return out;
}

using Visit = std::function<bool(IAccessible&, LONG)>;  // false stops the walk

bool Walk(IAccessible& object, const Visit& visit, int depth = 0) {
  LONG count = 0;
  if (FAILED(object.get_accChildCount(&count)) || count <= 0 || depth > 8) return true;
  std::vector<VARIANT> children(static_cast<size_t>(count));
  LONG obtained = 0;
  if (FAILED(AccessibleChildren(&object, 0, count, children.data(), &obtained))) return true;
  bool going = true;
  for (LONG i = 0; i < obtained; ++i) {
    VARIANT& child = children[static_cast<size_t>(i)];
    if (going && child.vt == VT_DISPATCH && child.pdispVal != nullptr) {
      IAccessible* inner = nullptr;
      if (SUCCEEDED(child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&inner)))) {
        going = visit(*inner, CHILDID_SELF) && Walk(*inner, visit, depth + 1);
        inner->Release();
      }
    } else if (going && child.vt == VT_I4) {
      going = visit(object, child.lVal);
    }
    VariantClear(&child);
  }
  return going;
}

VARIANT Id(LONG id) {
  VARIANT child{};
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::string NameOf(IAccessible& object, LONG id) {
  BSTR name = nullptr;
  std::string text;
  if (object.get_accName(Id(id), &name) == S_OK && name != nullptr) text = Utf8(name);
  SysFreeString(name);
  return text;
}

LONG NumberOf(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*),
              IAccessible& object, LONG id) {
  VARIANT value{};
  LONG number = 0;
  if (SUCCEEDED((object.*get)(Id(id), &value)) && value.vt == VT_I4) number = value.lVal;
  VariantClear(&value);
  return number;
}

std::vector<std::string> renamed;

void CALLBACK NameChanged(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                          DWORD) {
  IAccessible* accessible = nullptr;
  VARIANT element{};
  if (SUCCEEDED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                          static_cast<DWORD>(child), &accessible, &element))) {
    renamed.push_back(NameOf(*accessible, element.vt == VT_I4 ? element.lVal : CHILDID_SELF));
    accessible->Release();
    VariantClear(&element);
  }
}

// Types into the named text box and lists the names announced as changed.
int TypeAndListRenamed(HWND window, IAccessible& root, const std::string& box,
                       const wchar_t* text) {
  HWND edit = nullptr;
  Walk(root, [&](IAccessible& object, LONG id) {
    if (id != CHILDID_SELF || NameOf(object, id) != box) return true;
    WindowFromAccessibleObject(&object, &edit);
    return false;
  });
  if (edit == nullptr) return 1;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                       NameChanged, process, 0, WINEVENT_OUTOFCONTEXT);
  if (hook == nullptr) return 2;
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  const DWORD until = GetTickCount() + 2000;
  while (GetTickCount() < until) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  UnhookWinEvent(hook);
  for (const std::string& name : renamed) std::printf("%s\n", name.c_str());
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (argc != 2 && argc != 4 && argc != 5) return 2;
  HWND window = FindWindowW(nullptr, argv[1]);
  if (window == nullptr) {
    std::puts("no window");
    return 1;
  }
  IAccessible* root = nullptr;
  HRESULT result = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                              __uuidof(IAccessible), reinterpret_cast<void**>(&root));
  if (FAILED(result) || root == nullptr) {
    std::printf("AccessibleObjectFromWindow failed: %08lx\n", static_cast<unsigned long>(result));
    return 2;
  }
  int status = 0;
  if (argc == 5 && std::wstring(argv[2]) == L"--type") {
    status = TypeAndListRenamed(window, *root, Utf8(argv[3]), argv[4]);
  } else if (argc == 4 && std::wstring(argv[2]) == L"--do") {
    const std::string wanted = Utf8(argv[3]);
    status = 1;
    Walk(*root, [&](IAccessible& object, LONG id) {
      if (NameOf(object, id) != wanted) return true;
      const HRESULT done = object.accDoDefaultAction(Id(id));
      std::printf(SUCCEEDED(done) ? "done\n" : "failed %08lx\n", static_cast<unsigned long>(done));
      status = SUCCEEDED(done) ? 0 : 2;
      return false;
    });
  } else {
    Walk(*root, [](IAccessible& object, LONG id) {
      std::printf("%ld\t%lx\t%s\n", NumberOf(&IAccessible::get_accRole, object, id),
                  NumberOf(&IAccessible::get_accState, object, id), NameOf(object, id).c_str());
      return true;
    });
  }
  root->Release();
  CoUninitialize();
  return status;
}
