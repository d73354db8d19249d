#include "presentation/privacy_spend_line.hpp"

#include "presentation/palette.hpp"
#include "presentation/texts/figures.hpp"

namespace zuvo {

host::View PrivacySpendLine::body() const {
  constexpr auto kFont = host::Font::system(11, host::FontWeight::medium);
  return host::HStack({.alignment = host::VerticalAlignment::center, .spacing = 10},
                      {host::Label(privacyFigure(weekScore), "lock").font(kFont).foregroundStyle(Palette::accent()),
                       host::Text(spendFigure(weekSpend))
                           .font(kFont)
                           .foregroundStyle(Palette::secondaryText())
                           .lineLimit(1)
                           .minimumScaleFactor(kFigureMinimumScale)});
}

}  // namespace zuvo
