#pragma once
// What the pointer does on the desktop layer, decided against the desktop's layout: the caption
// under the pointer shows the hover colour, the pointer is a hand over anything that opens (an
// entry's picture or caption, the settings row's, the emblem), and a click opens what it was
// pressed and released on. The layer's window only translates its messages into these events.

#include "render/desktop_layout.h"

namespace mirella::app {

enum class LayerCursor { kArrow, kHand };

// What a click opens: an entry's link, the emblem's site, the program's settings, or nothing.
struct LayerClick {
  enum class Target { kNothing, kEntry, kEmblem, kSettings };
  Target target = Target::kNothing;
  int entry = 0;  // for kEntry: 0..10
  friend bool operator==(const LayerClick&, const LayerClick&) = default;
};

// The captions whose colour an event changed, to be painted again; null where none.
struct CaptionChange {
  const render::TextBlock* unhovered = nullptr;
  const render::TextBlock* hovered = nullptr;
};

class LayerPointer {
 public:
  // The layout the pointer is over from now on (null: none is shown, and nothing is hit). It
  // must outlive its use here. A new layout starts with no caption hovered; a press begun on
  // the previous one still opens the same item of the new one when released on it.
  void Show(const render::DesktopLayout* layout);

  CaptionChange MoveTo(int x, int y);
  CaptionChange Leave();
  void Press(int x, int y);
  LayerClick Release(int x, int y);

  // The caption in the hover colour, or null.
  const render::TextBlock* HoveredCaption() const;
  LayerCursor CursorAt(int x, int y) const;

 private:
  static constexpr int kNoHover = -2;  // render::kSettingsRow is -1

  render::Hit HitAt(int x, int y) const;
  const render::EntryRow* RowOf(int entry) const;
  CaptionChange Hover(int entry);

  const render::DesktopLayout* layout_ = nullptr;
  int hover_ = kNoHover;
  bool pressed_ = false;
  render::Hit press_;
};

}  // namespace mirella::app
