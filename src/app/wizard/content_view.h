#pragma once
// The settings page's view of the desktop being edited: the text boxes, entry pictures and link
// buttons show the content, and what the user types reaches the content at once.

#include "app/wizard/main_window_state.h"
#include "ui/control.h"

namespace mirella::app {

// The four desktop text boxes show the content's texts.
void ShowDesktopTexts(MainWindowState& state);

// Every entry's caption and description boxes, picture and link button show its content.
void ShowEntries(MainWindowState& state);

// Each link button's back colour shows its entry's link mark, and the names that assistive
// technology reads for the entry's picture and link button follow its caption and mark.
void ShowLinkMarks(MainWindowState& state);

// Loads the built-in content into the entries and shows it. The four desktop texts keep
// whatever the user typed.
void LoadDefaultContent(MainWindowState& state);

// Loads the texts and entries of the installed desktop.js into the content and shows them; every
// entry with a link is marked as chosen, every other unmarked. False, changing nothing, when
// desktop.js cannot be read or is not as the program writes it.
bool LoadInstalledContent(MainWindowState& state);

// A text box of the settings page changed: its text goes to the content. False for a control
// that is not bound to the content.
bool StoreTypedText(MainWindowState& state, const ui::Control& textBox);

}  // namespace mirella::app
