#pragma once
// A tree shaped like the medium status widget (about 70 nodes, 12 texts), built from the host's
// views alone, for the layout and drawing benchmarks; and a list of any number of its agent rows,
// for how layout grows with the agents.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "host/view/view.hpp"

namespace bench_tree {

using namespace host;

inline const Color kBackground = Color::fixed(Rgba::fromBytes(0xF8, 0xF6, 0xF2));
inline const Color kTrack = Color::fixed(Rgba::fromBytes(0xE4, 0xE0, 0xD8));
inline const Color kAccent = Color::fixed(Rgba::fromBytes(0x57, 0x58, 0x86));
inline const Color kAttention = Color::fixed(Rgba::fromBytes(0x63, 0x44, 0x37));
inline const Color kSecondary = Color::primary().opacity(0.6);

inline View button(std::string title, std::string symbol, const char* url) {
  return Link(*Url::parse(url), Label(std::move(title), std::move(symbol))
                                    .font(Font::system(11, FontWeight::medium))
                                    .padding(Edges::horizontal, 10)
                                    .padding(Edges::vertical, 5)
                                    .background(CapsuleStrokeBorder(kTrack, 1)));
}

inline View figureRow(std::string symbol, std::string label, std::string value) {
  return HStack({.spacing = 4}, {SymbolImage(std::move(symbol)).font(Font::system(10)).foregroundStyle(kAccent),
                                 Text(std::move(label)).font(Font::system(10)), Spacer(),
                                 Text(std::move(value))
                                     .font(Font::system(12, FontWeight::semibold, FontDesign::rounded))
                                     .monospacedDigit()})
      .lineLimit(1);
}

inline View agentRow(std::string agent, double used) {
  View bar = GeometryReader([used](Size size) {
               return ZStack({.alignment = Alignment::leading()},
                             {CapsuleFill(kTrack),
                              CapsuleFill(used >= 0.8 ? kAttention : kAccent)
                                  .frame(FixedFrame{.width = std::max(4.0, size.width * used)})});
             }).frame(FixedFrame{.height = 4});
  std::string usage = "Weekly " + std::to_string(static_cast<int>(used * 100)) + "%";
  return VStack({.alignment = HorizontalAlignment::leading, .spacing = 3},
                {HStack({.spacing = 4}, {Text(agent).font(Font::system(10, FontWeight::medium)), Spacer(),
                                         Text(usage).font(Font::system(10)).foregroundStyle(kSecondary).monospacedDigit()})
                     .lineLimit(1),
                 bar})
      .accessibilityElement(AccessibilityChildren::ignore)
      .accessibilityLabel(LocalizedKey{"%@ usage", {agent}})
      .id(agent);
}

inline View mediumWidget() {
  View left =
      VStack({.alignment = HorizontalAlignment::leading, .spacing = 8},
             {HStack({.spacing = 6}, {Image({.name = "VantleWordmark", .resizable = true, .contentMode = ContentMode::fit})
                                          .frame(FixedFrame{.width = 74})
                                          .accessibilityLabel(LocalizedKey{"Vantle"}),
                                      Spacer()}),
              Spacer(),
              VStack({.alignment = HorizontalAlignment::leading, .spacing = 2},
                     {Text(LocalizedKey{"%lld", {std::int64_t{3}}})
                          .font(Font::system(30, FontWeight::semibold, FontDesign::rounded))
                          .foregroundStyle(kAttention),
                      Text(LocalizedKey{"waiting on you"}).font(Font::system(12)).foregroundStyle(kSecondary)}),
              Spacer(),
              HStack({.spacing = 8}, {button("New", "square.and.pencil", "app://new"),
                                      button("Inbox", "tray", "app://inbox")})})
          .frame(FlexibleFrame{.maxWidth = kInfinity, .alignment = Alignment::leading()});
  View right = VStack({.alignment = HorizontalAlignment::leading, .spacing = 5},
                      {figureRow("lock", "Kept private", "82%"), figureRow("checkmark.circle", "Spent on AI", "$4.20"),
                       Spacer(),
                       VStack({.alignment = HorizontalAlignment::leading, .spacing = 6},
                              {agentRow("Claude", 0.6), agentRow("Codex", 0.85)})})
                   .frame(FixedFrame{.width = 136, .alignment = Alignment::leading()});
  return HStack({.spacing = 16}, {left, right});
}

// `agents` rows of distinct agents with a spread of usages, in the right column's width and the
// medium widget's height (a long list is squeezed, as in a widget that overflows).
inline View agentList(int agents) {
  std::vector<View> rows;
  rows.reserve(static_cast<std::size_t>(agents));
  for (int i = 0; i < agents; ++i) rows.push_back(agentRow("Agent " + std::to_string(i + 1), (i % 97) / 96.0));
  return VStack({.alignment = HorizontalAlignment::leading, .spacing = 6}, std::move(rows));
}
inline constexpr Size kAgentListSize{136, 340};

}  // namespace bench_tree
