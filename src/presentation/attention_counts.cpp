#include "presentation/attention_counts.hpp"

#include "presentation/palette.hpp"

namespace zuvo {
namespace {

using host::Font;
using host::FontDesign;
using host::FontWeight;
using host::LocalizedKey;

constexpr Font kCountFont = Font::system(30, FontWeight::semibold, FontDesign::rounded);
constexpr Font kCaptionFont = Font::system(12);
constexpr Font kCheckmarkFont = Font::system(22);

host::View row(host::View first, const char* caption) {
  return host::VStack({.alignment = host::HorizontalAlignment::leading, .spacing = 2},
                      {std::move(first), host::Text(LocalizedKey{caption})
                                             .font(kCaptionFont)
                                             .foregroundStyle(Palette::secondaryText())});
}

host::View count(std::int64_t value, const host::Color& color) {
  return host::Text(LocalizedKey{"%lld", {value}}).font(kCountFont).foregroundStyle(color);
}

}  // namespace

host::View AttentionCounts::body() const {
  if (waiting >= 1) return row(count(waiting, Palette::attention()), "waiting on you");
  if (unread >= 1) return row(count(unread, Palette::accent()), "new in Inbox");
  return row(host::SymbolImage("checkmark.circle").font(kCheckmarkFont).foregroundStyle(Palette::accent()),
             "Nothing waiting");
}

}  // namespace zuvo
