#pragma once
// mirella_progress: a progress bar with a caption. Its value is the width of the fill, in twips,
// measured from the left edge; a fill wider than the control is clipped when drawn.

#include <cstdint>
#include <string>

#include "controls/property_bag.h"

namespace mirella {

class MirellaProgress {
 public:
  static constexpr float kMinimumValue = 15;
  static constexpr const char* kDesignCaption = "Прогресбар от Кастора!";

  // Value: the fill width rounded to the nearest integer (ties to even).
  std::int16_t Value() const;
  // Raises anything below 15 to 15; there is no upper clamp.
  void SetValue(float value);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  // Lifecycle called by the form layer.
  void InitProperties();
  void ReadProperties(const ui::PropertyBag& bag);
  void WriteProperties(ui::PropertyBag& bag) const;
  // The control was resized to width x height twips: the outline, fill height and title follow.
  void Resize(int width, int height);

  // Geometry for drawing, in twips.
  float FillWidth() const { return fillWidth_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int TitleTop() const { return titleTop_; }
  int TitleHeight() const { return titleHeight_; }
  bool Changed() const { return changed_; }

 private:
  float fillWidth_ = kMinimumValue;
  std::string caption_ = kDesignCaption;
  int width_ = 5655;
  int height_ = 375;
  int titleHeight_ = 195;
  int titleTop_ = 90;
  bool changed_ = false;
};

}  // namespace mirella
