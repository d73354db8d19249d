#include "host/pango_text_measurer.hpp"

#include <cstring>

#include <gtest/gtest.h>

namespace host {
namespace {

constexpr const char* kLong = "Approvals wait on you in the Inbox today";
const TextStyle kCaption{Font::system(12)};

struct Case {
  const char* name;
  double width;
  std::optional<int> lineLimit;
  int lines;
  bool truncated;
};

TEST(PangoTextMeasurer, OneLineWrapsOrTruncates) {
  PangoTextMeasurer measurer;
  const double lineHeight = measurer.measure("Ag", kCaption, kInfinity, std::nullopt).size.height;
  ASSERT_GT(lineHeight, 12);
  ASSERT_LT(lineHeight, 20);
  const Case cases[] = {
      {"ideal width, no limit", kInfinity, std::nullopt, 1, false},
      {"ideal width, limit 1", kInfinity, 1, 1, false},
      {"narrow, no limit: wraps by word", 100, std::nullopt, 3, false},
      {"narrow, limit 1: ellipsis", 100, 1, 1, true},
      {"narrow, limit 2: ellipsis on line 2", 100, 2, 2, true},
      {"wide enough, limit 1", 400, 1, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TextMeasurement m = measurer.measure(kLong, kCaption, c.width, c.lineLimit);
    EXPECT_EQ(m.lineCount, c.lines);
    EXPECT_EQ(m.truncated, c.truncated);
    EXPECT_LE(m.size.width, c.width);
    EXPECT_NEAR(m.size.height, lineHeight * c.lines, 0.01);
    EXPECT_GT(m.baseline, 0);
    EXPECT_LT(m.baseline, lineHeight);
    if (c.truncated) {
      const std::string ellipsis = kEllipsis;
      ASSERT_GT(m.drawnText.size(), ellipsis.size());
      const std::string kept = m.drawnText.substr(0, m.drawnText.size() - ellipsis.size());
      EXPECT_EQ(m.drawnText.substr(kept.size()), ellipsis);
      EXPECT_EQ(std::string(kLong).rfind(kept, 0), 0u) << m.drawnText;
    } else {
      EXPECT_EQ(m.drawnText, kLong);
    }
  }
}

TEST(PangoTextMeasurer, SizesAreInPointsAtEveryScale) {
  PangoTextMeasurer measurer;
  Size small = measurer.measure("Kept private", {Font::system(12)}, kInfinity, 1).size;
  Size large = measurer.measure("Kept private", {Font::system(24)}, kInfinity, 1).size;
  // Unhinted metrics scale linearly with the size.
  EXPECT_NEAR(large.width, 2 * small.width, 0.05);
  EXPECT_NEAR(large.height, 2 * small.height, 0.05);
  // Inter's line is about 1.21 em.
  EXPECT_NEAR(small.height, 12 * 1.21, 0.5);

  Size symbol = measurer.symbolSize(Font::system(22));
  EXPECT_EQ(symbol.width, symbol.height);
  EXPECT_GT(symbol.height, 18);
  EXPECT_LT(symbol.height, 26);
  EXPECT_NEAR(measurer.symbolSize(Font::system(11)).height * 2, symbol.height, 0.05);
}

TEST(PangoTextMeasurer, TabularDigitsShareOneWidth) {
  PangoTextMeasurer measurer;
  for (FontDesign design : {FontDesign::standard, FontDesign::rounded}) {
    SCOPED_TRACE(static_cast<int>(design));
    const Font font = Font::system(30, FontWeight::semibold, design);
    auto width = [&](const char* text, bool tabular) {
      return measurer.measure(text, {font, tabular}, kInfinity, 1).size.width;
    };
    EXPECT_DOUBLE_EQ(width("1111", true), width("0000", true));
    EXPECT_LT(width("1111", false), width("0000", false));  // proportional ones are narrow
  }
}

bool familyInstalled(const char* name) {
  PangoFontFamily** families = nullptr;
  int count = 0;
  pango_font_map_list_families(pango_cairo_font_map_get_default(), &families, &count);
  bool found = false;
  for (int i = 0; i < count; ++i) found = found || std::strcmp(pango_font_family_get_name(families[i]), name) == 0;
  g_free(families);
  return found;
}

TEST(PangoTextMeasurer, RoundedDesignTakesQuicksandOrFallsBackToInter) {
  PangoTextMeasurer measurer;
  const bool quicksand = familyInstalled("Quicksand");
  const std::string rounded = quicksand ? "Quicksand" : "Inter";
  EXPECT_EQ(measurer.family({Font::system(12)}), "Inter");
  EXPECT_EQ(measurer.family({Font::system(12, FontWeight::semibold)}), "Inter");
  EXPECT_EQ(measurer.family({Font::system(30, FontWeight::semibold, FontDesign::rounded)}), rounded);
  EXPECT_EQ(measurer.family({Font::system(12, FontWeight::medium, FontDesign::rounded)}).rfind(rounded, 0), 0u);
  // No rounded face has tabular figures, so tabular rounded text keeps Inter.
  EXPECT_EQ(measurer.family({Font::system(12, FontWeight::semibold, FontDesign::rounded), true}), "Inter");
}

}  // namespace
}  // namespace host
