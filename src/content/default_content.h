#pragma once
// The built-in content: what installing starts from, and what configuring falls back to when
// the installed desktop cannot be read back.

#include "content/desktop_content.h"
#include "content/links.h"

namespace mirella {

// Loads the default captions, descriptions, links and pictures into the entry arrays. The four
// desktop texts, the shown pictures and SelectedEntry stay as they are; the only link mark
// touched is the selected entry's, which MakeLink sets.
void SetValues(DesktopContent& content, const LinkSources& sources);

// The default picture number of an entry (0..10); the editor starts by showing these pictures.
std::int16_t DefaultPicture(int entry);

// Reads nothing and changes nothing: installing always starts from the defaults.
void GetChanges(const DesktopContent& content);

}  // namespace mirella
