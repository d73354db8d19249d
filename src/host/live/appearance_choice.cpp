#include "host/live/appearance_choice.hpp"

namespace host {

namespace {
bool endsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}
}  // namespace

Appearance chooseAppearance(std::optional<std::uint32_t> portalScheme, std::string_view gtkThemeVariable,
                            const ToolkitThemeSettings& settings) {
  if (portalScheme) return *portalScheme == 1 ? Appearance::dark() : Appearance::light();
  if (endsWith(gtkThemeVariable, ":dark")) return Appearance::dark();
  if (settings.preferDark || endsWith(settings.themeName, "-dark")) return Appearance::dark();
  return Appearance::light();
}

std::optional<std::uint32_t> portalColorScheme(GVariant* reply) {
  if (!reply) return std::nullopt;
  GVariant* value = nullptr;
  if (g_variant_is_of_type(reply, G_VARIANT_TYPE("(v)"))) {
    g_variant_get(reply, "(v)", &value);
  } else if (g_variant_is_of_type(reply, G_VARIANT_TYPE_VARIANT)) {
    value = g_variant_get_variant(reply);
  } else {
    return std::nullopt;
  }
  // Unwrap as many variants as the portal put around the number.
  for (int depth = 0; value && depth < 4 && g_variant_is_of_type(value, G_VARIANT_TYPE_VARIANT); ++depth) {
    GVariant* inner = g_variant_get_variant(value);
    g_variant_unref(value);
    value = inner;
  }
  std::optional<std::uint32_t> scheme;
  if (value && g_variant_is_of_type(value, G_VARIANT_TYPE_UINT32)) scheme = g_variant_get_uint32(value);
  if (value) g_variant_unref(value);
  return scheme;
}

}  // namespace host
