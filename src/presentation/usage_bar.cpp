#include "presentation/usage_bar.hpp"

#include "presentation/palette.hpp"

namespace zuvo {
namespace {

// Tinted modes draw with the host's primary colour; only full colour takes the palette.
host::Color trackColor(host::WidgetRenderingMode mode) {
  if (mode == host::WidgetRenderingMode::fullColor) return Palette::track();
  return host::Color::primary().opacity(0.22);
}

host::Color fillColor(host::WidgetRenderingMode mode, double fraction) {
  if (mode != host::WidgetRenderingMode::fullColor) return host::Color::primary();
  return fraction >= kUsageAttentionThreshold ? Palette::attention() : Palette::accent();
}

}  // namespace

double usageFillWidth(double trackWidth, double fraction) {
  const double width = fraction < 1 ? trackWidth * fraction : trackWidth;
  return width < kUsageBarHeight ? kUsageBarHeight : width;
}

host::View UsageBar::body() const {
  return host::GeometryReader([fraction = fraction, mode = renderingMode](host::Size size) {
    std::vector<host::View> layers{host::CapsuleFill(trackColor(mode))};
    if (fraction)
      layers.push_back(host::CapsuleFill(fillColor(mode, *fraction))
                           .frame(host::FixedFrame{.width = usageFillWidth(size.width, *fraction)}));
    return host::ZStack({.alignment = host::Alignment::leading()}, std::move(layers));
  });
}

}  // namespace zuvo
