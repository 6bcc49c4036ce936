// Writes the windows' layout as the program builds it, for the GUI tests to find the controls on
// the screen: every control of `splash` and `main` with its name, index, parent, bounds in twips
// (relative to its parent, and in its form's client area), visibility and caption at start and
// back colour; and the gallery's Left for each entry, as clicking the entry's picture places it.
//
//   layout_export <file.json>

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "app/wizard/icon_editor.h"
#include "app/wizard/main_controls.h"
#include "app/wizard/main_layout.h"
#include "app/wizard/splash_layout.h"

namespace {

using mirella::ui::Control;
using mirella::ui::TwipsRect;

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;  // UTF-8 passes through
    }
  }
  return out + "\"";
}

std::string Rect(const TwipsRect& r) {
  std::ostringstream out;
  out << "[" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "]";
  return out.str();
}

void WriteControls(const Control& control, std::ostream& out, bool& first) {
  const Control& form = control.Form();
  const TwipsRect client = &control == &form
                               ? TwipsRect{0, 0, form.bounds.width, form.bounds.height}
                               : TwipsRect{control.FormLeft(), control.FormTop(),
                                           control.bounds.width, control.bounds.height};
  const mirella::Colour back = control.backColour;
  out << (first ? "\n" : ",\n") << "    {\"form\": " << Quoted(form.name)
      << ", \"name\": " << Quoted(control.name) << ", \"index\": " << control.index
      << ", \"parent\": " << (control.parent ? Quoted(control.parent->name) : "null")
      << ", \"parent_index\": " << (control.parent ? control.parent->index : -1)
      << ",\n     \"bounds\": " << Rect(control.bounds) << ", \"client\": " << Rect(client)
      << ", \"visible\": " << (control.visible ? "true" : "false")
      << ", \"text\": " << Quoted(control.text) << ", \"back\": [" << (back & 0xFF) << ", "
      << ((back >> 8) & 0xFF) << ", " << ((back >> 16) & 0xFF) << "]}";
  first = false;
  for (const auto& child : control.children) WriteControls(*child, out, first);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: layout_export <file.json>\n";
    return 2;
  }
  try {
    const std::unique_ptr<Control> splash = mirella::app::BuildSplashForm();
    const std::unique_ptr<Control> main = mirella::app::BuildMainForm();
    const mirella::app::MainControls controls = mirella::app::BindMainControls(*main);

    std::ostringstream out;
    out << "{\n  \"controls\": [";
    bool first = true;
    WriteControls(*splash, out, first);
    WriteControls(*main, out, first);
    out << "\n  ],\n  \"gallery_left\": [";
    for (int entry = 0; entry < mirella::kEntryCount; ++entry) {
      out << (entry == 0 ? "" : ", ") << mirella::app::GalleryLeftFor(controls, entry);
    }
    out << "]\n}\n";

    std::ofstream file(argv[1], std::ios::binary);
    file << out.str();
    if (!file.flush()) {
      std::cerr << "layout_export: cannot write " << argv[1] << "\n";
      return 1;
    }
  } catch (const std::exception& error) {
    std::cerr << "layout_export: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
