// What a screen reader in another process finds in a window through Active Accessibility.
//   accessibility_probe [--to <file>] <window caption> | --class <window class>
//                       [--do <name> | --type <name> <text>]
// Prints one line per element under the window's client object, depth first: its role number, a
// tab, its state in hex, a tab, its default action, a tab and its name (UTF-8). With "--do <name>"
// it runs the default action of the first element with that name instead and prints "done". With
// "--type <name> <text>" it puts the text into the text box of that name, as typing would, and
// prints the new name of every element the window announces as renamed within two seconds, one
// per line. Run in Wine's virtual desktop, whose programs have no console, it writes what it
// prints to the file "--to" names instead (written whole under another name, then renamed).
// Exit code 0 on success, 1 when the window or the element is not found, 2 on a failed call.

#include <windows.h>
#include <oleacc.h>

#include <cstdarg>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "probe_output.h"

namespace {

std::string output;

void Print(const char* format, ...) {
  va_list values;
  va_start(values, format);
  const int size = std::vsnprintf(nullptr, 0, format, values);
  va_end(values);
  if (size <= 0) return;
  std::string line(static_cast<size_t>(size) + 1, '\0');
  va_start(values, format);
  std::vsnprintf(line.data(), line.size(), format, values);
  va_end(values);
  line.resize(static_cast<size_t>(size));
  output += line;
}

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

std::string TextOf(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*),
                   IAccessible& object, LONG id) {
  BSTR value = nullptr;
  std::string text;
  if ((object.*get)(Id(id), &value) == S_OK && value != nullptr) text = Utf8(value);
  SysFreeString(value);
  return text;
}

std::string NameOf(IAccessible& object, LONG id) {
  return TextOf(&IAccessible::get_accName, object, id);
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
  for (const std::string& name : renamed) Print("%s\n", name.c_str());
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::vector<std::wstring> words(argv + 1, argv + argc);
  std::wstring file;
  if (words.size() >= 2 && words[0] == L"--to") {
    file = words[1];
    words.erase(words.begin(), words.begin() + 2);
  }
  HWND window = nullptr;
  if (words.size() >= 2 && words[0] == L"--class") {
    window = FindWindowW(words[1].c_str(), nullptr);
    words.erase(words.begin(), words.begin() + 2);
  } else if (!words.empty()) {
    window = FindWindowW(nullptr, words[0].c_str());
    words.erase(words.begin());
  }
  int status = 0;
  IAccessible* root = nullptr;
  if (words.size() != 0 && words.size() != 2 && words.size() != 3) {
    status = 2;
  } else if (window == nullptr) {
    Print("no window\n");
    status = 1;
  } else if (const HRESULT result = AccessibleObjectFromWindow(
                 window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                 reinterpret_cast<void**>(&root));
             FAILED(result) || root == nullptr) {
    Print("AccessibleObjectFromWindow failed: %08lx\n", static_cast<unsigned long>(result));
    status = 2;
  } else if (words.size() == 3 && words[0] == L"--type") {
    status = TypeAndListRenamed(window, *root, Utf8(words[1].c_str()), words[2].c_str());
  } else if (words.size() == 2 && words[0] == L"--do") {
    const std::string wanted = Utf8(words[1].c_str());
    status = 1;
    Walk(*root, [&](IAccessible& object, LONG id) {
      if (NameOf(object, id) != wanted) return true;
      const HRESULT done = object.accDoDefaultAction(Id(id));
      Print(SUCCEEDED(done) ? "done\n" : "failed %08lx\n", static_cast<unsigned long>(done));
      status = SUCCEEDED(done) ? 0 : 2;
      return false;
    });
  } else if (words.empty()) {
    Walk(*root, [](IAccessible& object, LONG id) {
      Print("%ld\t%lx\t%s\t%s\n", NumberOf(&IAccessible::get_accRole, object, id),
            NumberOf(&IAccessible::get_accState, object, id),
            TextOf(&IAccessible::get_accDefaultAction, object, id).c_str(),
            NameOf(object, id).c_str());
      return true;
    });
  } else {
    status = 2;
  }
  if (root != nullptr) root->Release();
  CoUninitialize();
  WriteProbeOutput(file, output);
  return status;
}
