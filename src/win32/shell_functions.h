#pragma once
// The few shell functions the program calls, looked up when first needed instead of imported:
// shell32.dll and shlwapi.dll (with what they load) take a while to load, and nothing before
// the first window needs them. An entry is null where its DLL or function is missing.

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace mirella {

struct ShellFunctions {
  HRESULT(WINAPI* shGetFolderLocation)(HWND, int, HANDLE, DWORD, PIDLIST_ABSOLUTE*) = nullptr;
  HRESULT(WINAPI* shGetDesktopFolder)(IShellFolder**) = nullptr;
  HINSTANCE(WINAPI* shellExecute)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) = nullptr;
  BOOL(WINAPI* shellExecuteEx)(SHELLEXECUTEINFOW*) = nullptr;
  HRESULT(WINAPI* strRetToStr)(STRRET*, PCUITEMID_CHILD, LPWSTR*) = nullptr;
  HRESULT(WINAPI* shParseDisplayName)(PCWSTR, IBindCtx*, PIDLIST_ABSOLUTE*, SFGAOF,
                                      SFGAOF*) = nullptr;
  // Vista and later.
  HRESULT(WINAPI* shCreateShellItemArrayFromIDLists)(UINT, PCIDLIST_ABSOLUTE_ARRAY,
                                                     IShellItemArray**) = nullptr;
};

// Loads shell32.dll and shlwapi.dll from the system folder on the first call.
const ShellFunctions& Shell();

}  // namespace mirella
