#pragma once
// Where a probe's lines go: to standard output, or, for a probe run in Wine's virtual desktop
// (whose programs have no console), to `file`, written whole under another name and then
// renamed, so that a test waiting for the file never reads half of it.

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

inline void WriteProbeOutput(const std::wstring& file, const std::string& output) {
  if (file.empty()) {
    std::fputs(output.c_str(), stdout);
    return;
  }
  const std::wstring partial = file + L".part";
  std::ofstream(partial.c_str(), std::ios::binary) << output;
  MoveFileExW(partial.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
}
