#pragma once
// Removes a folder and everything in it, read-only and hidden files included, however long its
// path; for cleaning up the folders tests work in.

#include <windows.h>

#include <string>

#include "win32/handles.h"
#include "win32/long_path.h"

namespace mirella::testing {

inline void RemoveTree(const std::wstring& folder) {
  const std::wstring extended = ExtendedPath(folder);
  WIN32_FIND_DATAW found;
  if (UniqueFind search(FindFirstFileW((extended + L"\\*").c_str(), &found)); search) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = extended + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search.Get(), &found));
  }
  RemoveDirectoryW(extended.c_str());
}

}  // namespace mirella::testing
