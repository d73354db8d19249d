#include "presentation/figure_row.hpp"

#include "presentation/texts/figures.hpp"
#include "presentation/palette.hpp"

namespace zuvo {

host::View FigureRow::body() const {
  using host::Font;
  return host::HStack({.alignment = host::VerticalAlignment::center, .spacing = 4},
                      {host::Text(label).font(Font::system(10)).foregroundStyle(Palette::tertiaryText()),
                       host::Spacer({.minLength = 0}),
                       host::Text(value)
                           .font(Font::system(12, host::FontWeight::semibold, host::FontDesign::rounded))
                           .monospacedDigit()
                           .minimumScaleFactor(kFigureMinimumScale)
                           .foregroundStyle(Palette::primaryText())})
      .lineLimit(1);
}

}  // namespace zuvo
