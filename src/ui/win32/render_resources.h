#pragma once
// What painting needs besides the tree: fonts, pictures, cursors and solid brushes, shared by all
// windows of the program.

#include <windows.h>

#include <map>

#include "ui/control.h"
#include "ui/win32/fonts.h"
#include "ui/win32/pictures.h"
#include "win32/handles.h"

namespace mirella::ui::win32 {

class RenderResources {
 public:
  // COM must be initialised on the calling thread.
  explicit RenderResources(HINSTANCE instance);

  HINSTANCE Instance() const { return instance_; }
  FontCache& Fonts() { return fonts_; }
  PictureLibrary& Pictures() { return pictures_; }
  HBRUSH Brush(Colour colour);
  // The system cursor for a pointer; null for kDefault.
  HCURSOR Cursor(MousePointer pointer) const;

 private:
  HINSTANCE instance_;
  FontCache fonts_;
  PictureLibrary pictures_;
  HCURSOR hand_;
  std::map<Colour, UniqueBrush> brushes_;
};

}  // namespace mirella::ui::win32
