#pragma once
// The controls of `main` that the behaviour reads and writes, found once by name and index when
// the window object is made, so that no event handler searches the tree.

#include <array>
#include <cstddef>

#include "content/desktop_content.h"
#include "ui/control.h"

namespace mirella::app {

struct MainControls {
  ui::Control* form;
  ui::Control* frm_name;
  ui::Control* frm_main;
  ui::Control* frm_store;
  ui::Control* frm_help;
  ui::Control* frm_load;
  ui::Control* load;      // timer of the loading page
  ui::Control* progress;  // progress control of the loading page
  std::array<ui::Control*, 10> label;
  std::array<ui::Control*, 2> iconik;
  std::array<ui::Control*, 3> frm_pal;  // the hover areas

  // The settings page.
  std::array<ui::Control*, 3> frm_frm_store;
  ui::Control* theme;
  ui::Control* title;
  ui::Control* col_1_title;
  ui::Control* col_2_title;
  ui::Control* desktop;
  std::array<ui::Control*, 2> btn_icons;  // btn_icons(1) and btn_icons(2)
  std::array<ui::Control*, kEntryCount> ico;
  std::array<ui::Control*, kEntryCount> ico_title;
  std::array<ui::Control*, kEntryCount> ico_desc;
  std::array<ui::Control*, kEntryCount> icon_link;
  std::array<ui::Control*, 2> ico_selected;

  // The gallery.
  ui::Control* ico_bar;
  std::array<ui::Control*, kPictureCount> ico_item;
};

// Finds every control above in the tree of `main`; a missing one is a fault of the layout and
// throws std::logic_error naming it.
MainControls BindMainControls(ui::Control& form);

// The position of the control in a control array of `main`, or -1 when it is none of them.
template <std::size_t N>
int PositionIn(const std::array<ui::Control*, N>& controls, const ui::Control& control) {
  for (std::size_t i = 0; i < N; ++i) {
    if (controls[i] == &control) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace mirella::app
