#pragma once
// The icon pages of the settings page: opening them and going back, the highlight of the entry
// last clicked, the selected entry, and the picture gallery.

#include "app/wizard/main_window_state.h"

namespace mirella::app {

// btn_icons(page), page 1 or 2: shows that icon page in place of the general page, with "Назад"
// in place of "Отмена". The page title stays.
void OpenIconPage(MainWindowState& state, int page);

// The "Назад" command: the general page again, with "Отмена" in place of "Назад". The gallery,
// the highlight and the selected entry stay as they are.
void LeaveIconPage(MainWindowState& state);

// Moves both pages' highlights to the slot of ico(entry); the selected entry stays.
void MoveHighlight(MainWindowState& state, int entry);

// ico(entry) clicked: selects the entry, highlights it and opens (or moves) the gallery beside
// its picture.
void OpenGallery(MainWindowState& state, int entry);

// Where the gallery's left edge goes for an entry: to the right of a left-column picture, or
// over a right-column picture with the right edges aligned (window coordinates, twips).
int GalleryLeftFor(const MainControls& controls, int entry);

// ico_item(position) clicked: closes the gallery and gives that picture to the selected entry.
void PickPicture(MainWindowState& state, int position);

}  // namespace mirella::app
