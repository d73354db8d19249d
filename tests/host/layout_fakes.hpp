#pragma once
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "host/layout/asset_catalog.hpp"
#include "host/locale/key_formatter.hpp"
#include "host/layout/layout.hpp"
#include "host/layout/layout_tree.hpp"
#include "host/view/string_catalog.hpp"
#include "host/layout/text_measurer.hpp"

namespace host {

inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "{" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << "}";
}

namespace testing_fakes {

// Every code point is 6 wide, a line 1.2 font sizes high. Without a line limit text wraps at spaces
// (a word wider than the width overflows); with one the last line is cut to fit with a "…".
class FakeMeasurer final : public TextMeasurer {
 public:
  static constexpr double kCharWidth = 6;
  using Call = std::tuple<std::string, bool, double, std::optional<int>>;  // text, tabular digits, width, limit

  TextMeasurement measure(std::string_view text, const TextStyle& style, double maxWidth,
                          std::optional<int> lineLimit) const override {
    calls.emplace_back(std::string(text), style.monospacedDigits, maxWidth, lineLimit);
    std::vector<std::string> lines = lineLimit == 1 ? std::vector<std::string>{std::string(text)} : wrap(text, maxWidth);
    TextMeasurement m;
    if (lineLimit && (static_cast<int>(lines.size()) > *lineLimit || width(lines.back()) > maxWidth)) {
      lines.resize(static_cast<std::size_t>(*lineLimit));
      std::string& last = lines.back();
      while (!last.empty() && (width(last) + kCharWidth > maxWidth || last.back() == ' ')) dropLast(last);
      last += "…";
      m.truncated = true;
    }
    double widest = 0;
    for (const auto& l : lines) widest = std::max(widest, width(l));
    m.size = {widest, style.font.size * 1.2 * static_cast<double>(lines.size())};
    m.lineCount = static_cast<int>(lines.size());
    m.baseline = style.font.size;
    for (std::size_t i = 0; i < lines.size(); ++i) m.drawnText += (i ? "\n" : "") + lines[i];
    return m;
  }

  Size symbolSize(const Font& font) const override { return {font.size, font.size}; }

  static double width(std::string_view s) {
    double n = 0;
    for (unsigned char c : s)
      if ((c & 0xC0) != 0x80) ++n;
    return n * kCharWidth;
  }

  mutable std::vector<Call> calls;

 private:
  static void dropLast(std::string& s) {
    while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0x80) s.pop_back();
    if (!s.empty()) s.pop_back();
  }
  static std::vector<std::string> wrap(std::string_view text, double maxWidth) {
    std::vector<std::string> lines(1);
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t space = std::min(text.find(' ', start), text.size());
      std::string word(text.substr(start, space - start));
      std::string joined = lines.back().empty() ? word : lines.back() + " " + word;
      if (lines.back().empty() || width(joined) <= maxWidth) lines.back() = joined;
      else lines.push_back(word);
      start = space + 1;
    }
    return lines;
  }
};

// Translates a few keys, then fills them in as the key formatter does.
class FakeCatalog final : public StringCatalog {
 public:
  std::map<std::string, std::string> translations;
  std::string format(const LocalizedKey& key) const override {
    auto found = translations.find(key.key);
    return formatKey(found == translations.end() ? key.key : found->second, key.arguments);
  }
};

class FakeAssets final : public AssetCatalog {
 public:
  std::map<std::string, Size, std::less<>> images;
  std::optional<Size> imageSize(std::string_view name) const override {
    auto found = images.find(name);
    return found == images.end() ? std::nullopt : std::optional<Size>(found->second);
  }
};

struct Fixture {
  FakeMeasurer measurer;
  FakeCatalog strings;
  FakeAssets assets;

  LayoutServices services(Appearance appearance = Appearance::light()) const {
    return {measurer, strings, assets, std::move(appearance)};
  }
  LayoutTree lay(const View& view, ProposedSize proposal, Appearance appearance = Appearance::light()) const {
    return layout(view, proposal, services(std::move(appearance)));
  }
};

inline const LayoutNode* findText(const LayoutTree& tree, std::string_view text) {
  for (const auto& node : tree.nodes)
    if (node.kind == LayoutKind::text && node.as<TextRun>()->text == text) return &node;
  return nullptr;
}

}  // namespace testing_fakes
}  // namespace host
