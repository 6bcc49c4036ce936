#include "app/wizard/control_factory.h"

#include <memory>

namespace mirella::app {

ui::Control& AddControl(ui::Control& parent, ui::ControlKind kind, std::string_view name, int index,
                        const ui::TwipsRect& bounds) {
  auto control = std::make_unique<ui::Control>();
  control->kind = kind;
  control->name = std::string(name);
  control->index = index;
  control->bounds = bounds;
  return parent.Add(std::move(control));
}

ui::Control& AddLabel(ui::Control& parent, std::string_view name, int index,
                      const ui::TwipsRect& bounds, std::string_view text,
                      ui::Alignment alignment) {
  ui::Control& label = AddControl(parent, ui::ControlKind::kLabel, name, index, bounds);
  label.text = std::string(text);
  label.alignment = alignment;
  label.transparent = true;
  return label;
}

ui::Control& AddImage(ui::Control& parent, std::string_view name, int index,
                      const ui::TwipsRect& bounds, std::string_view picture) {
  ui::Control& image = AddControl(parent, ui::ControlKind::kImage, name, index, bounds);
  image.picture = std::string(picture);
  image.transparent = true;
  return image;
}

ui::Control& AddProgress(ui::Control& parent, std::string_view name, const ui::TwipsRect& bounds,
                         std::string_view caption) {
  ui::Control& control = AddControl(parent, ui::ControlKind::kProgress, name, -1, bounds);
  // A placed instance with only its caption stored: the value starts at the control's minimum.
  MirellaProgress& progress = control.progress.emplace();
  progress.SetCaption(std::string(caption));
  progress.Resize(bounds.width, bounds.height);
  return control;
}

ui::Control& AddTimer(ui::Control& parent, std::string_view name, int intervalMs, bool enabled) {
  ui::Control& timer = AddControl(parent, ui::ControlKind::kTimer, name, -1, {});
  timer.interval = intervalMs;
  timer.enabled = enabled;
  return timer;
}

}  // namespace mirella::app
