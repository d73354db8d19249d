#pragma once
// How much of an agent's allowance is spent, as a 4-point capsule: the track across the width the
// host gives the bar, and over it, when a fraction is present, the fill from the leading end.
// The fill covers W times the fraction below 1, the whole track otherwise, and at least 4 points,
// so it never spills out and a fraction of 0 or below still shows a dot.
#include <optional>

#include "host/view/view.hpp"
#include "host/view/widget_family.hpp"
#include "presentation/texts/figures.hpp"

namespace zuvo {

inline constexpr double kUsageBarHeight = 4;

struct UsageBar {
  std::optional<double> fraction{};
  host::WidgetRenderingMode renderingMode = host::WidgetRenderingMode::fullColor;

  host::View body() const;
};

// The fill's width on a track `trackWidth` wide.
double usageFillWidth(double trackWidth, double fraction);

}  // namespace zuvo
