#include "presentation/quick_link_button.hpp"

#include "presentation/palette.hpp"

namespace zuvo {

host::View QuickLinkButton::body() const {
  auto label = host::Label(title, symbol)
                   .font(host::Font::system(11, host::FontWeight::medium))
                   .foregroundStyle(Palette::primaryText())
                   .padding(host::Edges::leading | host::Edges::trailing, 10)
                   .padding(host::Edges::top | host::Edges::bottom, 5)
                   .background(host::CapsuleStrokeBorder(Palette::track(), 1));
  return host::Link(destination, std::move(label));
}

}  // namespace zuvo
