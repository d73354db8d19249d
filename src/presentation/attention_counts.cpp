#include "presentation/attention_counts.hpp"

#include "presentation/palette.hpp"
#include "presentation/texts/captions.hpp"

namespace zuvo {
namespace {

using host::Font;
using host::FontDesign;
using host::FontWeight;

constexpr Font kCountFont = Font::system(30, FontWeight::semibold, FontDesign::rounded);
constexpr Font kCaptionFont = Font::system(12);
constexpr Font kCheckmarkFont = Font::system(22);

host::View caption(host::LocalizedKey key) {
  return host::Text(std::move(key)).font(kCaptionFont).foregroundStyle(Palette::secondaryText());
}

}  // namespace

host::View AttentionCounts::body() const {
  auto texts = attentionTexts(waiting, unread);
  host::View first = texts.figure
                         ? host::Text(std::move(*texts.figure))
                               .font(kCountFont)
                               .foregroundStyle(texts.row == AttentionRow::waiting ? Palette::attention() : Palette::accent())
                         : host::SymbolImage("checkmark.circle").font(kCheckmarkFont).foregroundStyle(Palette::accent());
  return host::VStack({.alignment = host::HorizontalAlignment::leading, .spacing = 2},
                      {std::move(first), caption(std::move(texts.caption))});
}

}  // namespace zuvo
