#include "host/kit/control_button_view.hpp"

namespace host {
namespace {

const Color& controlFill() {
  static const Color color = Color::lightDark(Rgba::fromBytes(0xFF, 0xFF, 0xFF), Rgba::fromBytes(0x3A, 0x3A, 0x3C));
  return color;
}
const Color& controlEdge() {
  static const Color color = Color::lightDark(Rgba::fromBytes(0x00, 0x00, 0x00, 0x1A), Rgba::fromBytes(0xFF, 0xFF, 0xFF, 0x1F));
  return color;
}

}  // namespace

View controlButtonView(const ControlWidgetButton& button) {
  return Label(button.label().title, button.label().systemImage)
      .font(Font::system(13, FontWeight::medium))
      .foregroundStyle(Color::primary())
      .lineLimit(1)
      .padding(EdgeInsets{.top = 10, .leading = 16, .bottom = 10, .trailing = 18})
      .background(ZStack({}, {CapsuleFill(controlFill()), CapsuleStrokeBorder(controlEdge(), 1)}));
}

}  // namespace host
