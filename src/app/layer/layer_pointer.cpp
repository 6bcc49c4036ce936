#include "app/layer/layer_pointer.h"

#include <algorithm>
#include <vector>

namespace mirella::app {
namespace {

bool Opens(const render::Hit& hit) {
  return hit.kind == render::HitKind::Emblem || hit.kind == render::HitKind::Picture ||
         hit.kind == render::HitKind::Caption;
}

}  // namespace

void LayerPointer::Show(const render::DesktopLayout* layout) {
  layout_ = layout;
  hover_ = kNoHover;
}

// Only a caption takes the hover colour; its picture and the rest of its row do not.
CaptionChange LayerPointer::MoveTo(int x, int y) {
  const render::Hit hit = HitAt(x, y);
  return Hover(hit.kind == render::HitKind::Caption ? hit.entry : kNoHover);
}

CaptionChange LayerPointer::Leave() { return Hover(kNoHover); }

void LayerPointer::Press(int x, int y) {
  press_ = HitAt(x, y);
  pressed_ = true;
}

// Pressed and released on the same item: a picture and the caption beside it are two items.
LayerClick LayerPointer::Release(int x, int y) {
  const render::Hit hit = HitAt(x, y);
  const bool same = pressed_ && press_.kind == hit.kind && press_.entry == hit.entry;
  pressed_ = false;
  if (!same || !Opens(hit)) return {};
  if (hit.kind == render::HitKind::Emblem) return {LayerClick::Target::kEmblem, 0};
  if (hit.entry == render::kSettingsRow) return {LayerClick::Target::kSettings, 0};
  return {LayerClick::Target::kEntry, hit.entry};
}

const render::TextBlock* LayerPointer::HoveredCaption() const {
  const render::EntryRow* row = RowOf(hover_);
  return row != nullptr ? &row->caption : nullptr;
}

LayerCursor LayerPointer::CursorAt(int x, int y) const {
  return Opens(HitAt(x, y)) ? LayerCursor::kHand : LayerCursor::kArrow;
}

render::Hit LayerPointer::HitAt(int x, int y) const {
  return layout_ != nullptr ? render::HitTest(*layout_, x, y) : render::Hit{};
}

const render::EntryRow* LayerPointer::RowOf(int entry) const {
  if (layout_ == nullptr || entry == kNoHover) return nullptr;
  const std::vector<render::EntryRow>& rows = layout_->rows;
  const auto row = std::find_if(rows.begin(), rows.end(),
                                [entry](const render::EntryRow& r) { return r.entry == entry; });
  return row != rows.end() ? &*row : nullptr;
}

CaptionChange LayerPointer::Hover(int entry) {
  if (entry == hover_ || layout_ == nullptr) return {};
  const render::EntryRow* unhovered = RowOf(hover_);
  const render::EntryRow* hovered = RowOf(entry);
  hover_ = entry;
  return {unhovered != nullptr ? &unhovered->caption : nullptr,
          hovered != nullptr ? &hovered->caption : nullptr};
}

}  // namespace mirella::app
