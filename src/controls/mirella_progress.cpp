#include "controls/mirella_progress.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

namespace mirella {

namespace {
// A stored instance without a "Value" entry reads as 1, which the setter then raises to 15.
constexpr float kMissingStoredValue = 1;
}  // namespace

std::int16_t MirellaProgress::Value() const {
  // nearbyint rounds in the default mode, to nearest with ties to even.
  const float rounded = std::nearbyint(fillWidth_);
  if (rounded > std::numeric_limits<std::int16_t>::max()) {
    throw std::overflow_error("Значение индикатора больше 32767.");
  }
  return static_cast<std::int16_t>(rounded);
}

void MirellaProgress::SetValue(float value) {
  // The negated comparison also turns a NaN into the minimum.
  if (!(value >= kMinimumValue)) value = kMinimumValue;
  fillWidth_ = value;
  changed_ = true;
}

void MirellaProgress::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  changed_ = true;
}

void MirellaProgress::InitProperties() {
  SetValue(kMinimumValue);
  SetCaption(caption_);
}

void MirellaProgress::ReadProperties(const ui::PropertyBag& bag) {
  SetValue(bag.ReadNumber("Value", kMissingStoredValue));
  SetCaption(bag.ReadText("Caption", caption_));
}

void MirellaProgress::WriteProperties(ui::PropertyBag& bag) const {
  bag.WriteNumber("Value", fillWidth_, kMinimumValue);
  bag.WriteText("Caption", caption_, kDesignCaption);
}

void MirellaProgress::Resize(int width, int height) {
  width_ = width;
  height_ = height;
  // The fill keeps its width (the value) and takes the new height; the title spans the width
  // and is centred vertically.
  titleTop_ = height / 2 - titleHeight_ / 2;
}

}  // namespace mirella
