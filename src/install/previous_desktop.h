#pragma once
// The user's desktop as it was before the program first changed it, kept in the program's
// application-data folder so that it can be put back exactly: each wallpaper value with its type
// and raw data, or its absence, and the shell's Desktop.htt with its attributes, or its absence;
// since format 2 also the web desktop's options, the slideshow, and the name of a copy of the
// picture the user saw, kept beside the saved file; since format 3 each monitor's picture and
// their fitting, where the shell takes a picture per monitor.
//
// The file starts with a magic text and a format version and ends with a CRC-32 of everything
// before it; a file that is damaged, cut short, of an unknown version or written by anything
// else is never taken for a saved desktop. Files of formats 1 and 2 are read as they were written.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "install/desktop_places.h"
#include "system/desktop_shell.h"
#include "system/file_system.h"
#include "system/registry.h"

namespace mirella {

struct SavedFile {
  std::string bytes;
  std::uint32_t attributes = 0;
  bool operator==(const SavedFile&) const = default;
};

struct PreviousDesktop {
  // One per kDesktopValues entry, in that order; nullopt: the value did not exist.
  std::vector<std::optional<RegistryValue>> values;
  std::optional<SavedFile> desktopFile;  // nullopt: there was no Desktop.htt
  std::optional<WebDesktopOptions> webDesktop;  // page desktops; nullopt: the shell did not say
  SlideshowState slideshow;                     // picture desktops
  // The copy of the picture shown, beside the saved file (DesktopPlaces::previousPicture and
  // its extension); empty: none was taken.
  std::string pictureCopy;
  // Where the shell takes a picture per monitor (Windows 8 and later): what each showed, and
  // how the pictures were fitted; empty and nullopt elsewhere.
  std::vector<MonitorWallpaper> monitors;
  std::optional<int> position;
  bool operator==(const PreviousDesktop&) const = default;
};

std::string EncodePreviousDesktop(const PreviousDesktop& desktop);
// nullopt for anything but a file EncodePreviousDesktop wrote, byte for byte.
std::optional<PreviousDesktop> DecodePreviousDesktop(std::string_view bytes);

// The desktop as it is now. Fails when a value, the desktop file or the slideshow exists but
// cannot be read: what was not read could not be put back.
Result<PreviousDesktop> ReadCurrentDesktop(const Registry& registry, const FileSystem& files,
                                           DesktopShell& shell, const DesktopPlaces& places);

enum class SavedDesktopState { kNone, kSaved, kUntrusted };

struct SavedDesktop {
  SavedDesktopState state = SavedDesktopState::kNone;
  PreviousDesktop desktop;  // kSaved only
};

// What is saved. kNone only when nothing at all is in the saved file's place; fails when
// something is there that cannot be read (a folder of that name, a file without access).
Result<SavedDesktop> LoadSavedDesktop(const FileSystem& files, const DesktopPlaces& places);

// Saves the desktop as it is now unless a trustworthy saved one exists: the first saved state is
// the one to go back to, and a later save would keep the program's own desktop instead. A
// damaged file, which could never be restored from, is replaced. On picture desktops the picture
// the user sees is copied first: the file the wallpaper value names, or the shell's own copy
// where that file is gone (a picture that cannot be read is not copied, and Restore shows what
// the value names). True when it wrote the file.
Result<bool> SavePreviousDesktopOnce(const Registry& registry, FileSystem& files,
                                     DesktopShell& shell, const DesktopPlaces& places);

// The saved file's place beside it: where its picture copy is.
std::string PictureCopyPath(const DesktopPlaces& places, const PreviousDesktop& saved);

// Removes the saved file, then its picture copy, once the desktop is the user's own again. A
// read-only attribute, which the user or a copy tool may have set, is cleared first.
Status RemoveSavedDesktop(FileSystem& files, const DesktopPlaces& places,
                          const PreviousDesktop& saved);

}  // namespace mirella
