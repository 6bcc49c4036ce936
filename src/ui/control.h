#pragma once
// The form layer's control tree: plain data that the behaviour reads and writes, and that the
// Win32 renderer shows. Geometry is in twips (1440 per inch), relative to the parent control.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "content/desktop_content.h"  // Colour
#include "controls/mirella_progress.h"

namespace mirella::ui {

enum class ControlKind {
  kForm,      // a top-level window; bounds.width/height are its client area
  kFrame,     // a container, windowed; with a caption and border it is a group box
  kLabel,     // windowless text
  kImage,     // windowless picture; without a picture it only receives the mouse (a hover area)
  kShape,     // windowless rectangle (outline and/or fill)
  kTextBox,   // windowed one-line edit box
  kComboBox,  // windowed drop-down list
  kButton,    // windowed push button, graphical style: its back colour shows
  kTimer,     // invisible; ticks every `interval` ms while enabled
  kProgress,  // the mirella_progress control; its model is `progress`
};

enum class Alignment { kLeft, kRight, kCentre };
enum class MousePointer { kDefault, kHourglass, kHand };

// How a windowless control that the user can click also takes the keyboard focus and presents
// itself to assistive technology: as a link (a command label) or as a push button.
enum class Activation { kNone, kLink, kPushButton };

struct Font {
  std::string face = "MS Sans Serif";
  double points = 8.25;
  bool bold = false;
  bool underline = false;
};

struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

inline constexpr Colour kBlack = 0x00000000;
inline constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

struct Control {
  ControlKind kind = ControlKind::kLabel;
  std::string name;
  int index = -1;  // the element's index in a control array such as label(3); -1 for none
  TwipsRect bounds;
  bool visible = true;
  bool enabled = true;

  // Caption of a label, frame, button or form; text of a text box; selected text of a combo box.
  std::string text;
  std::vector<std::string> items;  // combo box items
  int selectedItem = -1;           // combo box selection

  Colour foreColour = kBlack;
  Colour backColour = kWhite;
  bool transparent = false;  // labels: no background of their own
  bool border = false;       // labels, frames: a border; forms: a fixed single border; shapes: outline
  bool filled = false;       // shapes: filled with backColour
  Font font;
  Alignment alignment = Alignment::kLeft;
  // A picture shipped inside desktop.exe, named by its path under assets/ ("window/background.gif",
  // "icons/14.gif"); empty for none.
  std::string picture;
  MousePointer pointer = MousePointer::kDefault;
  std::string tooltip;
  // Windowless controls: the focus stops here, and Enter or Space clicks it.
  Activation activation = Activation::kNone;
  // Escape clicks the shown control that has this set, as the Cancel button of a dialog.
  bool cancel = false;
  // A container whose controls are one Tab stop, as a dialog's group of options is: Tab enters
  // it at its first control and leaves it from any; the arrow keys move inside it.
  bool tabGroup = false;
  // What assistive technology names the control when its text does not say what it is (a text
  // box named by its caption label, a picture button); empty: its text.
  std::string accessibleName;
  int interval = 0;  // timers, in milliseconds
  std::optional<MirellaProgress> progress;

  Control* parent = nullptr;
  // Children in stacking order: the first child is drawn on top and hit first.
  std::vector<std::unique_ptr<Control>> children;

  // Appends a child below the existing ones and returns it.
  Control& Add(std::unique_ptr<Control> child);
  // The first control in this subtree (this one included) with the name and index, or null.
  Control* Find(const std::string& controlName, int controlIndex = -1);
  const Control* Find(const std::string& controlName, int controlIndex = -1) const;
  // Visible here and in every ancestor.
  bool IsShown() const;
  // Position of this control's top-left corner in the client area of its form, in twips.
  int FormLeft() const;
  int FormTop() const;
  // The form this control belongs to.
  const Control& Form() const;
};

}  // namespace mirella::ui
