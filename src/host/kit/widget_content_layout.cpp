#include "host/kit/widget_content_layout.hpp"

#include "host/kit/widget_canvas.hpp"

namespace host {

const Color& defaultContainerBackground() {
  static const Color color = Color::lightDark(Rgba::fromBytes(0xFF, 0xFF, 0xFF), Rgba::fromBytes(0x1E, 0x1E, 0x1E));
  return color;
}

std::optional<Color> widgetContainerBackground(const View& content) {
  const Node* node = &content.node();
  while (const auto* env = std::get_if<EnvironmentNode>(&node->value)) node = &env->content.node();
  const auto* background = std::get_if<ContainerBackgroundNode>(&node->value);
  if (!background || background->placement != ContainerBackgroundPlacement::widget) return std::nullopt;
  return background->color;
}

LayoutTree layoutWidgetContent(const View& content, const WidgetEnvironment& environment,
                               const LayoutServices& services) {
  LayoutServices drawing = services;
  drawing.widget = environment;
  Color background = widgetContainerBackground(content).value_or(defaultContainerBackground());
  return layoutWidget(content, environment.family, background, drawing);
}

}  // namespace host
