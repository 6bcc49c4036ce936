#pragma once
// Link targets: the eight places of the link menu, typed paths, and their "file:///" URLs.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "content/desktop_content.h"
#include "system/environment.h"
#include "system/file_system.h"
#include "system/registry.h"

namespace mirella {

// Where the link targets are looked up on the running machine.
struct LinkSources {
  const Environment& environment;
  const Registry& registry;
  const FileSystem& files;
};

inline constexpr int kLinkChoiceCount = 8;
// The captions of the link menu's items l(0)..l(7), in menu order.
extern const std::array<std::string_view, kLinkChoiceCount> kLinkChoiceCaptions;
inline constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// "file:///" followed by the path with "\" as "/", " " as "%20", "'" as "%27" (an apostrophe
// would end the page's single-quoted attribute), "%" as "%25" and "#" as "%23" (a browser reads
// them as an escape and as the start of a fragment); every other character is kept as it is.
std::string MakeLinkUrl(std::string_view path);

// What a link opens: for a "file:///" URL its path, with "/" as "\" and every "%XX" escape undone
// (the inverse of MakeLinkUrl), or the address as typed where the path is a web address
// ("file:///http://..."); any other link as it stands.
std::string PathOfLinkUrl(std::string_view url);

// MakeLinkUrl, and marks the link button of the selected entry when it is unmarked.
std::string MakeLink(DesktopContent& content, std::string_view path);

// The first three characters of windir, or empty when windir is not set.
std::string SystemDriveOf(const Environment& environment);

// The path a link-menu choice stands for (empty for a choice outside 0..7). Nothing is
// tested for existence except the recycle-bin folders, to choose between their two names.
std::string LinkPath(const LinkSources& sources, const std::string& systemDrive, int choice);

// MakeLink(LinkPath(choice)): marks the selected entry like MakeLink.
std::string GetLink(DesktopContent& content, const LinkSources& sources, std::int16_t choice);

// A link-menu item l(choice) was chosen: the selected entry's link becomes GetLink(choice).
void ChooseLink(DesktopContent& content, const LinkSources& sources, std::int16_t choice);

// A path typed into the input box: empty text changes nothing and returns false; otherwise the
// selected entry's link becomes MakeLink(text), as typed.
bool ChooseTypedLink(DesktopContent& content, const std::string& text);

}  // namespace mirella
