#pragma once
// Paths beyond the classic 260-character limit. Ordinary Win32 paths stop at that limit on most
// systems; the same path in the "\\?\" form (and a network path as "\\?\UNC\server\share\...")
// reaches the file system's own limit of about 32,000 characters on every system from XP on.
// The file functions use that form inside and show the user the ordinary one.

#include <string>
#include <string_view>

namespace mirella {

// The "\\?\" form of a drive path ("C:\a" -> "\\?\C:\a") or a network path
// ("\\server\share\a" -> "\\?\UNC\server\share\a"). The path is first made whole the way the
// system would read the ordinary path (relative parts resolved, "/" taken as "\", "." and ".."
// folded). A path already in "\\?\" form or naming a device ("\\.\") comes back as it is.
std::wstring ExtendedPath(std::wstring_view path);
std::wstring ExtendedPath(std::string_view utf8Path);

// The ordinary form of a path, for messages and for links: "\\?\C:\a" -> "C:\a",
// "\\?\UNC\server\share\a" -> "\\server\share\a". Other paths come back as they are.
std::wstring OrdinaryPath(std::wstring_view path);

// How many leading characters of an extended path name its root folder, the backslash after it
// included: "\\?\C:\" (7) for a drive, "\\?\UNC\server\share\" for a share. 0 when the path has
// no root that can be told.
size_t RootLength(std::wstring_view extendedPath);

}  // namespace mirella
