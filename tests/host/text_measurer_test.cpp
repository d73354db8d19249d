#include "host/text/pango_text_measurer.hpp"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace host {
namespace {

TEST(PangoTextMeasurer, OneLineWrapsOrTruncates) {
  const std::string text = "Approvals wait on you in the Inbox today";
  const TextStyle caption{Font::system(12)};
  PangoTextMeasurer measurer;
  const double lineHeight = measurer.measure("Ag", caption, kInfinity, std::nullopt).size.height;
  EXPECT_NEAR(lineHeight, 12 * 1.21, 0.5);  // Inter's line is about 1.21 em
  const Size symbol = measurer.symbolSize(Font::system(22));
  EXPECT_EQ(symbol.width, symbol.height);
  EXPECT_NEAR(measurer.symbolSize(Font::system(11)).height * 2, symbol.height, 0.05);
  const struct { double width; std::optional<int> lineLimit; int lines; bool truncated; } cases[] = {
      {100, std::nullopt, 3, false}, {100, 1, 1, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << " " << c.lineLimit.value_or(0));
    TextMeasurement m = measurer.measure(text, caption, c.width, c.lineLimit);
    EXPECT_EQ(m.lineCount, c.lines);
    EXPECT_EQ(m.truncated, c.truncated);
    EXPECT_LE(m.size.width, c.width);
    EXPECT_NEAR(m.size.height, lineHeight * c.lines, 0.01);
    if (!c.truncated) { EXPECT_EQ(m.drawnText, text); continue; }
    const std::string ellipsis = kEllipsis;
    ASSERT_GT(m.drawnText.size(), ellipsis.size());
    EXPECT_TRUE(m.drawnText.ends_with(ellipsis)) << m.drawnText;
    EXPECT_EQ(text.rfind(m.drawnText.substr(0, m.drawnText.size() - ellipsis.size()), 0), 0u) << m.drawnText;
  }
  // Wherever the cut falls, no white space is left before the ellipsis, and the frame is what is drawn.
  for (double width = 20; width < 200; width += 1.5) {
    const TextMeasurement m = measurer.measure("Scribe the\u00a0two  long words", caption, width, 1);
    SCOPED_TRACE(m.drawnText);
    EXPECT_EQ(m.drawnText.find(" " + std::string(kEllipsis)), std::string::npos);
    EXPECT_EQ(m.drawnText.find("\u00a0" + std::string(kEllipsis)), std::string::npos);
    EXPECT_DOUBLE_EQ(m.size.width, measurer.measure(m.drawnText, caption, kInfinity, 1).size.width);
  }
}

// More texts than the cache holds: the oldest are forgotten, and measured again alike.
TEST(PangoTextMeasurer, ForgottenMeasurementsComeBackTheSame) {
  PangoTextMeasurer measurer;
  const TextStyle style{Font::system(11)};
  auto text = [](int i) { return "Agent " + std::to_string(i); };
  const TextMeasurement first = measurer.measure(text(0), style, 80, 1);
  for (int i = 1; i < 5000; ++i) measurer.measure(text(i), style, 80, 1);
  const TextMeasurement again = measurer.measure(text(0), style, 80, 1);
  EXPECT_EQ(again.size, first.size);
  EXPECT_EQ(again.drawnText, first.drawnText);
  measurer.expectTexts(2);  // a small layout after a large one: the cache shrinks back
  EXPECT_EQ(measurer.measure(text(4999), style, 80, 1).drawnText, text(4999));
}

TEST(PangoTextMeasurer, TabularDigitsShareOneWidth) {
  PangoTextMeasurer measurer;
  for (FontDesign design : {FontDesign::standard, FontDesign::rounded}) {
    SCOPED_TRACE(static_cast<int>(design));
    auto width = [&](const char* text, bool tabular) {
      return measurer.measure(text, {Font::system(30, FontWeight::semibold, design), tabular}, kInfinity, 1).size.width;
    };
    EXPECT_DOUBLE_EQ(width("1111", true), width("0000", true));
    EXPECT_LT(width("1111", false), width("0000", false));  // proportional ones are narrow
    // Each digit alone, at the start, in the middle and at the end of a figure.
    for (char d = '0'; d <= '9'; ++d) {
      SCOPED_TRACE(d);
      EXPECT_NEAR(width(std::string(1, d).c_str(), true), width("0", true), 1e-6);
      EXPECT_NEAR(width((std::string(1, d) + "$" + d).c_str(), true), width("0$0", true), 1e-6);
    }
  }
}

TEST(PangoTextMeasurer, RoundedDesignTakesQuicksandOrFallsBackToInter) {
  PangoFontFamily** families = nullptr;
  int count = 0;
  pango_font_map_list_families(pango_cairo_font_map_get_default(), &families, &count);
  bool quicksand = false;
  for (int i = 0; i < count; ++i) quicksand = quicksand || std::strcmp(pango_font_family_get_name(families[i]), "Quicksand") == 0;
  g_free(families);
  const std::string rounded = quicksand ? "Quicksand" : "Inter";
  PangoTextMeasurer measurer;
  EXPECT_EQ(measurer.family({Font::system(12, FontWeight::semibold)}), "Inter");
  EXPECT_EQ(measurer.family({Font::system(30, FontWeight::semibold, FontDesign::rounded)}), rounded);
  // Tabular digits do not need a face with "tnum": rounded figures stay rounded.
  EXPECT_EQ(measurer.family({Font::system(12, FontWeight::semibold, FontDesign::rounded), true}), rounded);
}

TEST(PangoTextMeasurer, GraphemePrefixKeepsClustersWhole) {
  PangoTextMeasurer measurer;
  const std::string accented = "e\u0301";              // e and a combining acute: one cluster, 3 bytes
  const std::string family = "\U0001F469\u200D\U0001F467";  // woman, joiner, girl: one cluster, 11 bytes
  std::string marks = "a";
  for (int i = 0; i < 40; ++i) marks += "\u0301";  // one cluster of 81 bytes, longer than a first window
  const struct { std::string text; std::size_t count, bytes; } cases[] = {
      {"", 3, 0}, {"abc", 0, 0}, {"abc", 5, 3}, {accented + accented + accented, 2, 6},
      {family + "x" + family, 2, 12}, {marks + marks + "z", 2, 162}, {marks + "z", 1, 81}};
  for (const auto& c : cases) EXPECT_EQ(measurer.graphemePrefix(c.text, c.count), c.bytes) << c.text << " " << c.count;
}

}  // namespace
}  // namespace host
