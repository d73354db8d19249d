#include "host/text/pango_text_layout.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "host/view/geometry.hpp"

namespace host {
namespace {

bool hasFamily(PangoFontMap* map, const char* name) {
  PangoFontFamily** families = nullptr;
  int count = 0;
  pango_font_map_list_families(map, &families, &count);
  bool found = false;
  for (int i = 0; i < count && !found; ++i) found = std::strcmp(pango_font_family_get_name(families[i]), name) == 0;
  g_free(families);
  return found;
}

PangoWeight pangoWeight(FontWeight weight) {
  switch (weight) {
    case FontWeight::regular: return PANGO_WEIGHT_NORMAL;
    case FontWeight::medium: return PANGO_WEIGHT_MEDIUM;
    case FontWeight::semibold: return PANGO_WEIGHT_SEMIBOLD;
    case FontWeight::bold: return PANGO_WEIGHT_BOLD;
  }
  return PANGO_WEIGHT_NORMAL;
}

int clampToInt(double units) {
  if (std::isnan(units) || units <= 0) return 0;
  if (units >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(units);
}

}  // namespace

int toPangoUnitsFloor(double value) { return clampToInt(std::floor(value * PANGO_SCALE)); }

PangoTextLayout::PangoTextLayout()
    : fontMap_(pango_cairo_font_map_new()), context_(pango_font_map_create_context(fontMap_)) {
  // Absolute sizes make the resolution irrelevant; 72 dpi keeps any point size equal to units too.
  pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(fontMap_), 72.0);
  pango_cairo_context_set_resolution(context_, 72.0);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  pango_cairo_context_set_font_options(context_, options);
  cairo_font_options_destroy(options);
  pango_context_set_round_glyph_positions(context_, FALSE);
  layout_ = pango_layout_new(context_);
  hasRounded_ = hasFamily(fontMap_, kRoundedFamily);
  hasRoundedMediumFamily_ = hasFamily(fontMap_, "Quicksand Medium");
}

PangoTextLayout::~PangoTextLayout() {
  g_object_unref(layout_);
  g_object_unref(context_);
  g_object_unref(fontMap_);
}

std::string PangoTextLayout::family(const Font& font) const {
  if (font.design != FontDesign::rounded || !hasRounded_) return kSystemFamily;
  if (font.weight == FontWeight::medium && hasRoundedMediumFamily_) return "Quicksand Medium";
  return kRoundedFamily;
}

PangoFontDescription* PangoTextLayout::description(const Font& font) const {
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, family(font).c_str());
  pango_font_description_set_weight(desc, pangoWeight(font.weight));
  pango_font_description_set_absolute_size(desc, font.size * PANGO_SCALE);
  return desc;
}

const PangoTextLayout::DigitAdvances& PangoTextLayout::digitAdvances(const Font& font) {
  for (const auto& [known, advances] : digitAdvances_)
    if (known == font) return advances;
  DigitAdvances found;
  PangoLayout* probe = pango_layout_new(context_);
  PangoFontDescription* desc = description(font);
  pango_layout_set_font_description(probe, desc);
  pango_font_description_free(desc);
  PangoAttrList* attributes = pango_attr_list_new();
  pango_attr_list_insert(attributes, pango_attr_font_features_new("tnum 1"));
  pango_layout_set_attributes(probe, attributes);
  pango_attr_list_unref(attributes);
  for (int d = 0; d < 10; ++d) {
    const char digit = static_cast<char>('0' + d);
    pango_layout_set_text(probe, &digit, 1);
    PangoRectangle logical;
    pango_layout_get_extents(probe, nullptr, &logical);
    found.advance[static_cast<std::size_t>(d)] = logical.width;
    found.widest = std::max(found.widest, logical.width);
  }
  g_object_unref(probe);
  found.even = std::all_of(found.advance.begin(), found.advance.end(), [&](int a) { return a == found.widest; });
  digitAdvances_.emplace_back(font, found);
  return digitAdvances_.back().second;
}

void PangoTextLayout::spaceDigits(PangoAttrList* attributes, std::string_view text, std::size_t offset,
                                  const Font& font) {
  const DigitAdvances& advances = digitAdvances(font);
  if (advances.even) return;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') continue;
    const int extra = advances.widest - advances.advance[static_cast<std::size_t>(text[i] - '0')];
    if (extra <= 0) continue;
    PangoAttribute* spacing = pango_attr_letter_spacing_new(extra);
    spacing->start_index = static_cast<guint>(offset + i);
    spacing->end_index = static_cast<guint>(offset + i + 1);
    pango_attr_list_insert(attributes, spacing);
  }
}

PangoLayout* PangoTextLayout::layout(std::string_view text, const TextStyle& style, double width,
                                     std::optional<int> lineLimit) {
  PangoFontDescription* desc = description(style.font);
  pango_layout_set_font_description(layout_, desc);
  pango_font_description_free(desc);

  static constexpr std::string_view kWordJoiner = "⁠";
  const bool spaced = style.monospacedDigits && !digitAdvances(style.font).even;
  prefixBytes_ = spaced ? kWordJoiner.size() : 0;
  textBytes_ = text.size();
  PangoAttrList* attributes = pango_attr_list_new();
  if (style.monospacedDigits) pango_attr_list_insert(attributes, pango_attr_font_features_new("tnum 1"));
  if (spaced) spaceDigits(attributes, text, prefixBytes_, style.font);
  pango_layout_set_attributes(layout_, attributes);
  pango_attr_list_unref(attributes);

  if (spaced) {
    std::string bracketed;
    bracketed.reserve(text.size() + 2 * kWordJoiner.size());
    bracketed.append(kWordJoiner).append(text).append(kWordJoiner);
    pango_layout_set_text(layout_, bracketed.data(), static_cast<int>(bracketed.size()));
  } else {
    pango_layout_set_text(layout_, text.data(), static_cast<int>(text.size()));
  }
  pango_layout_set_wrap(layout_, PANGO_WRAP_WORD_CHAR);
  const bool bounded = std::isfinite(width);
  pango_layout_set_width(layout_, bounded ? toPangoUnitsFloor(width) : -1);
  if (lineLimit && *lineLimit > 0) {
    pango_layout_set_height(layout_, -*lineLimit);  // negative: a number of lines
    pango_layout_set_ellipsize(layout_, bounded ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_NONE);
  } else {
    pango_layout_set_height(layout_, -1);
    pango_layout_set_ellipsize(layout_, PANGO_ELLIPSIZE_NONE);
  }
  return layout_;
}

std::string PangoTextLayout::loadedFamily(const Font& font) const {
  PangoFontDescription* desc = description(font);
  PangoFont* loaded = pango_context_load_font(context_, desc);
  pango_font_description_free(desc);
  if (!loaded) return {};
  PangoFontDescription* actual = pango_font_describe(loaded);
  std::string name = pango_font_description_get_family(actual);
  pango_font_description_free(actual);
  g_object_unref(loaded);
  return name;
}

double PangoTextLayout::ascent(const Font& font) const {
  // The face's own extents: cheap, where Pango's font metrics also shape sample text for widths.
  PangoFontDescription* desc = description(font);
  PangoFont* loaded = pango_context_load_font(context_, desc);
  pango_font_description_free(desc);
  if (!loaded) return font.size;
  cairo_font_extents_t extents{};
  if (cairo_scaled_font_t* scaled = pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(loaded)))
    cairo_scaled_font_extents(scaled, &extents);
  g_object_unref(loaded);
  return extents.ascent > 0 ? extents.ascent : font.size;
}

void PangoTextLayout::updateForCairo(cairo_t* cr) {
  pango_cairo_update_context(cr, context_);
  pango_layout_context_changed(layout_);
}

std::string PangoTextLayout::drawnText() const {
  const std::string_view text(pango_layout_get_text(layout_) + prefixBytes_, textBytes_);
  if (!pango_layout_is_ellipsized(layout_)) return std::string(text);
  // The ellipsis is a run of its own whose item spans the text it stands for; cut at the end, it
  // stands for everything after it too.
  for (GSList* lines = pango_layout_get_lines_readonly(layout_); lines; lines = lines->next) {
    auto* line = static_cast<PangoLayoutLine*>(lines->data);
    for (GSList* runs = line->runs; runs; runs = runs->next) {
      auto* run = static_cast<PangoLayoutRun*>(runs->data);
      if (run->item->analysis.flags & PANGO_ANALYSIS_FLAG_IS_ELLIPSIS) {
        const auto offset = static_cast<std::size_t>(std::max(run->item->offset, 0));
        std::string out(text.substr(0, offset > prefixBytes_ ? offset - prefixBytes_ : 0));
        // "Scribe the…", not "Scribe the …": white space before the mark goes.
        while (!out.empty()) {
          const char* last = g_utf8_find_prev_char(out.data(), out.data() + out.size());
          if (!last || !g_unichar_isspace(g_utf8_get_char(last))) break;
          out.resize(static_cast<std::size_t>(last - out.data()));
        }
        return out + kEllipsis;
      }
    }
  }
  return std::string(text);
}

}  // namespace host
