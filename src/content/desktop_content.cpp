#include "content/desktop_content.h"

#include <utility>

namespace mirella {

int FirstUnmarkedEntry(const DesktopContent& content) {
  for (int entry = 0; entry < kEntryCount; ++entry) {
    if (content.linkMark[entry] == kLinkUnmarked) return entry;
  }
  return -1;
}

void SetEntryCaption(DesktopContent& content, int entry, std::string text) {
  if (entry < 0 || entry >= kEntryCount) return;
  content.EntryCaption[entry] = std::move(text);
}

void SetEntryDescription(DesktopContent& content, int entry, std::string text) {
  if (entry < 0 || entry >= kEntryCount) return;
  content.EntryDescription[entry] = std::move(text);
}

}  // namespace mirella
