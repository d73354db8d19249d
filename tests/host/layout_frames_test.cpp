// Small view trees and the frames the engine gives every node, in pre-order.
#include <gtest/gtest.h>

#include <functional>

#include "host/layout/layout.hpp"
#include "host/view/view.hpp"
#include "layout_fakes.hpp"

namespace host {
namespace {

using testing_fakes::Fixture;
using K = LayoutKind;

const Color kRed = Color::fixed(Rgba::fromBytes(255, 0, 0));
const Font kTen = Font::system(10);  // fake lines of 12 points, characters 6 wide

View text(std::string s) { return Text(std::move(s)).font(kTen); }
View wideImage() { return Image({.name = "wide", .resizable = true, .contentMode = ContentMode::fit}); }

struct Case {
  const char* name;
  std::function<View()> view;
  ProposedSize proposal;
  std::vector<std::pair<LayoutKind, Rect>> frames;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class LayoutFramesTest : public ::testing::TestWithParam<Case> {};

TEST_P(LayoutFramesTest, GivesEveryNodeItsFrame) {
  const Case& c = GetParam();
  Fixture fixture;
  fixture.assets.images = {{"wide", {200, 50}}};
  LayoutTree tree = fixture.lay(c.view(), c.proposal);
  std::vector<std::pair<LayoutKind, Rect>> frames;
  for (const auto& node : tree.nodes) frames.emplace_back(node.kind, node.frame);
  EXPECT_EQ(frames, c.frames);  // every value here is exact in binary
  EXPECT_EQ(tree.size, tree.nodes.front().frame.size());
}

const Case kCases[] = {
    {"VStackLeadingWithSpacing",
     [] { return VStack({.alignment = HorizontalAlignment::leading, .spacing = 8}, {text("abc"), text("abcdef")}); },
     Size{100, 100},
     {{K::vstack, {0, 0, 36, 32}}, {K::text, {0, 0, 18, 12}}, {K::text, {0, 20, 36, 12}}}},
    {"SpacersShareTheFreeHeightEqually",
     [] { return VStack({.spacing = 8}, {text("a"), Spacer(), text("b"), Spacer(), text("c")}); }, Size{50, 100},
     {{K::vstack, {0, 0, 6, 100}}, {K::text, {0, 0, 6, 12}}, {K::spacer, {3, 20, 0, 16}}, {K::text, {0, 44, 6, 12}},
      {K::spacer, {3, 64, 0, 16}}, {K::text, {0, 88, 6, 12}}}},
    {"FixedFrameBottomTrailing",
     [] {
       return text("ab").padding(Edges::all, 5).frame(FixedFrame{
           .width = 50, .height = 40, .alignment = {HorizontalAlignment::trailing, VerticalAlignment::bottom}});
     },
     Size{100, 100}, {{K::frame, {0, 0, 50, 40}}, {K::padding, {28, 18, 22, 22}}, {K::text, {33, 23, 12, 12}}}},
    {"PaddingOnNamedEdges", [] { return text("ab").padding({.top = 1, .leading = 2, .bottom = 3, .trailing = 4}); },
     Size{100, 100}, {{K::padding, {0, 0, 18, 16}}, {K::text, {2, 1, 12, 12}}}},
    {"FlexibleInfiniteBothAxesLeading",
     [] {
       return text("ab").frame(FlexibleFrame{.maxWidth = kInfinity, .maxHeight = kInfinity, .alignment = Alignment::leading()});
     },
     Size{100, 50}, {{K::frame, {0, 0, 100, 50}}, {K::text, {0, 19, 12, 12}}}},
    {"FlexibleBoundsClampASmallProposal", [] { return text("ab").frame(FlexibleFrame{.minWidth = 30, .maxWidth = 60}); },
     Size{20, 50}, {{K::frame, {0, 0, 30, 12}}, {K::text, {9, 0, 12, 12}}}},
    {"ImageFramedToAWidthTakesItsHeightFromTheAspectRatio", [] { return wideImage().frame(FixedFrame{.width = 74}); },
     Size{170, 170}, {{K::frame, {0, 0, 74, 18.5}}, {K::image, {0, 0, 74, 18.5}}}},
    {"GeometryReaderBuildsItsContentForTheOfferedSize",
     [] {
       return GeometryReader([](Size s) {
                return ZStack({.alignment = Alignment::leading()},
                              {CapsuleFill(kRed), CapsuleFill(kRed).frame(FixedFrame{.width = s.width * 0.6})});
              })
           .frame(FixedFrame{.height = 4});
     },
     Size{100, 50},
     {{K::frame, {0, 0, 100, 4}}, {K::geometryReader, {0, 0, 100, 4}}, {K::zstack, {0, 0, 100, 4}},
      {K::capsule, {0, 0, 100, 4}}, {K::frame, {0, 0, 60, 4}}, {K::capsule, {0, 0, 60, 4}}}},
};

INSTANTIATE_TEST_SUITE_P(Table, LayoutFramesTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace host
