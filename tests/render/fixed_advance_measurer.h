#pragma once
// A text measurer for layouts in tests, independent of any font.

#include <cstddef>
#include <string_view>

#include "render/text_measurer.h"

namespace mirella::testing {

// Every character is as wide as a fixed share of its font size, at the layout's scale.
class FixedAdvanceMeasurer : public render::TextMeasurer {
 public:
  explicit FixedAdvanceMeasurer(double scale) : scale_(scale) {}
  double Width(std::string_view text, render::TextStyle style) const override {
    double width = 0;
    for (char c : text) {
      if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) width += Advance(style);
    }
    return width;
  }
  std::size_t Fit(std::string_view text, render::TextStyle style, double maxWidth) const override {
    double width = 0;
    std::size_t fits = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
      if (width + Advance(style) > maxWidth) return fits;
      width += Advance(style);
      std::size_t end = i + 1;
      while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
      fits = end;
    }
    return text.size();
  }

 private:
  double Advance(render::TextStyle style) const {
    return render::CssFontSize(style) * 0.5 * scale_;
  }
  double scale_;
};

}  // namespace mirella::testing
