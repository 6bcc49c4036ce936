#pragma once
// The desktop being edited: four texts and eleven icon entries, with their link marks and the
// selected entry. Portable plain data; the settings page's boxes are bound to these fields.

#include <array>
#include <cstdint>
#include <string>

namespace mirella {

inline constexpr int kEntryCount = 11;
// Entries 0..4 form column 1 of the desktop, entries 5..10 column 2.
inline constexpr int kColumn1EntryCount = 5;
inline constexpr int kPictureCount = 20;

// Colours are 0x00BBGGRR values.
using Colour = std::uint32_t;
// The link mark of an entry is the back colour of its link button icon_link(i).
inline constexpr Colour kLinkUnmarked = 0x00C0FFFF;  // light yellow: no link chosen yet
inline constexpr Colour kLinkMarked = 0x00C0FFC0;    // light green: a link is chosen

struct DesktopContent {
  // The four desktop texts, named after the text boxes that hold them on the settings page.
  std::string title = "Рабочий стол";
  std::string col_1_title = "Управление компьютером";
  std::string col_2_title = "Мои файлы и папки";
  std::string desktop = "Рабочий стол сделан с Mirella";

  // The eleven entries, as parallel arrays: empty until the first SetValues.
  std::array<std::string, kEntryCount> EntryCaption{};
  std::array<std::string, kEntryCount> EntryDescription{};
  std::array<std::string, kEntryCount> EntryLink{};  // a "file:///" URL or empty
  std::array<std::int16_t, kEntryCount> EntryPicture{};

  // Entries with a default link start marked.
  std::array<Colour, kEntryCount> linkMark{kLinkMarked, kLinkMarked, kLinkMarked, kLinkMarked,
                                           kLinkUnmarked, kLinkMarked, kLinkMarked, kLinkUnmarked,
                                           kLinkUnmarked, kLinkUnmarked, kLinkUnmarked};

  // The entry the next picture or link choice applies to, 0..10.
  std::int16_t SelectedEntry = 0;

  // The first three characters of windir ("C:\"), taken when the main window loads.
  std::string SystemDrive;
};

// The first entry without a link mark, or -1 when every entry is marked.
int FirstUnmarkedEntry(const DesktopContent& content);

// Text typed into an entry's caption or description box reaches the entry at once.
// An index outside 0..10 changes nothing.
void SetEntryCaption(DesktopContent& content, int entry, std::string text);
void SetEntryDescription(DesktopContent& content, int entry, std::string text);

}  // namespace mirella
