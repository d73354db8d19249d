#include "host/text/pango_text_layout.hpp"

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

std::string PangoTextLayout::family(const Font& font, bool tabularDigits) const {
  if (font.design != FontDesign::rounded || !hasRounded_ || tabularDigits) return kSystemFamily;
  if (font.weight == FontWeight::medium && hasRoundedMediumFamily_) return "Quicksand Medium";
  return kRoundedFamily;
}

PangoFontDescription* PangoTextLayout::description(const Font& font, bool tabularDigits) const {
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, family(font, tabularDigits).c_str());
  pango_font_description_set_weight(desc, pangoWeight(font.weight));
  pango_font_description_set_absolute_size(desc, font.size * PANGO_SCALE);
  return desc;
}

PangoLayout* PangoTextLayout::layout(std::string_view text, const TextStyle& style, double width,
                                     std::optional<int> lineLimit) {
  PangoFontDescription* desc = description(style.font, style.monospacedDigits);
  pango_layout_set_font_description(layout_, desc);
  pango_font_description_free(desc);

  PangoAttrList* attributes = pango_attr_list_new();
  if (style.monospacedDigits) pango_attr_list_insert(attributes, pango_attr_font_features_new("tnum 1"));
  pango_layout_set_attributes(layout_, attributes);
  pango_attr_list_unref(attributes);

  pango_layout_set_text(layout_, text.data(), static_cast<int>(text.size()));
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

std::string PangoTextLayout::loadedFamily(const Font& font, bool tabularDigits) const {
  PangoFontDescription* desc = description(font, tabularDigits);
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
  PangoFontDescription* desc = description(font, false);
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

std::string drawnText(PangoLayout* layout) {
  const char* text = pango_layout_get_text(layout);
  if (!pango_layout_is_ellipsized(layout)) return text;
  // The ellipsis is a run of its own whose item spans the text it stands for; cut at the end, it
  // stands for everything after it too.
  for (GSList* lines = pango_layout_get_lines_readonly(layout); lines; lines = lines->next) {
    auto* line = static_cast<PangoLayoutLine*>(lines->data);
    for (GSList* runs = line->runs; runs; runs = runs->next) {
      auto* run = static_cast<PangoLayoutRun*>(runs->data);
      if (run->item->analysis.flags & PANGO_ANALYSIS_FLAG_IS_ELLIPSIS) {
        std::string out(text, static_cast<std::size_t>(run->item->offset));
        return out + kEllipsis;
      }
    }
  }
  return text;
}

}  // namespace host
