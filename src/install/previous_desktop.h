#pragma once
// The user's desktop as it was before the program first changed it, kept in the program's
// application-data folder so that it can be put back exactly: each wallpaper value with its type
// and raw data, or its absence, and the shell's Desktop.htt with its attributes, or its absence.
//
// The file starts with a magic text and a format version and ends with a CRC-32 of everything
// before it; a file that is damaged, cut short, of another version or written by anything else
// is never taken for a saved desktop.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "install/desktop_places.h"
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
  bool operator==(const PreviousDesktop&) const = default;
};

std::string EncodePreviousDesktop(const PreviousDesktop& desktop);
// nullopt for anything but a file EncodePreviousDesktop wrote, byte for byte.
std::optional<PreviousDesktop> DecodePreviousDesktop(std::string_view bytes);

// The desktop as it is now. Fails when a value or the desktop file exists but cannot be read:
// what was not read could not be put back.
Result<PreviousDesktop> ReadCurrentDesktop(const Registry& registry, const FileSystem& files,
                                           const DesktopPlaces& places);

enum class SavedDesktopState { kNone, kSaved, kUntrusted };

struct SavedDesktop {
  SavedDesktopState state = SavedDesktopState::kNone;
  PreviousDesktop desktop;  // kSaved only
};

// What is saved. Fails only when a saved file exists but cannot be read.
Result<SavedDesktop> LoadSavedDesktop(const FileSystem& files, const DesktopPlaces& places);

// Saves the desktop as it is now unless a trustworthy saved one exists: the first saved state is
// the one to go back to, and a later save would keep the program's own desktop instead. A
// damaged file, which could never be restored from, is replaced. True when it wrote the file.
Result<bool> SavePreviousDesktopOnce(const Registry& registry, FileSystem& files,
                                     const DesktopPlaces& places);

}  // namespace mirella
