#include "app/wizard/main_controls.h"

#include <stdexcept>
#include <string>

namespace mirella::app {

namespace {

ui::Control* Require(ui::Control& form, const std::string& name, int index = -1) {
  ui::Control* control = form.Find(name, index);
  if (control == nullptr) {
    std::string which = index < 0 ? name : name + "(" + std::to_string(index) + ")";
    throw std::logic_error("main window layout lacks " + which);
  }
  return control;
}

template <std::size_t N>
void RequireArray(ui::Control& form, const std::string& name, std::array<ui::Control*, N>& out,
                  int firstIndex = 0) {
  for (std::size_t i = 0; i < N; ++i) out[i] = Require(form, name, firstIndex + static_cast<int>(i));
}

}  // namespace

MainControls BindMainControls(ui::Control& form) {
  MainControls c{};
  c.form = &form;
  c.frm_name = Require(form, "frm_name");
  c.frm_main = Require(form, "frm_main");
  c.frm_store = Require(form, "frm_store");
  c.frm_help = Require(form, "frm_help");
  c.frm_load = Require(form, "frm_load");
  c.load = Require(form, "load");
  c.progress = Require(form, "progress");
  if (!c.progress->progress) throw std::logic_error("main window layout: progress has no model");
  RequireArray(form, "label", c.label);
  RequireArray(form, "iconik", c.iconik);
  RequireArray(form, "frm_pal", c.frm_pal);

  RequireArray(form, "frm_frm_store", c.frm_frm_store);
  c.theme = Require(form, "theme");
  c.title = Require(form, "title");
  c.col_1_title = Require(form, "col_1_title");
  c.col_2_title = Require(form, "col_2_title");
  c.desktop = Require(form, "desktop");
  RequireArray(form, "btn_icons", c.btn_icons, 1);
  RequireArray(form, "ico", c.ico);
  RequireArray(form, "ico_title", c.ico_title);
  RequireArray(form, "ico_desc", c.ico_desc);
  RequireArray(form, "icon_link", c.icon_link);
  RequireArray(form, "ico_selected", c.ico_selected);

  c.ico_bar = Require(form, "ico_bar");
  RequireArray(form, "ico_item", c.ico_item);
  return c;
}

}  // namespace mirella::app
