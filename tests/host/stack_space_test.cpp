#include "host/layout/stack_space.hpp"

#include <gmock/gmock.h>

#include <algorithm>

#include "host/view/geometry.hpp"

namespace host {
namespace {

using ::testing::ElementsAreArray;

StackItem flexible(double min, double max) { return {.min = min, .max = max}; }
StackItem fixed(double length) { return {.min = length, .max = length}; }
StackItem spacer(double min = 0) { return {.min = min, .max = kInfinity, .spacer = true}; }

struct Case {
  const char* name;
  std::vector<StackItem> items;
  double length;
  double spacing;
  std::vector<double> lengths;
  std::vector<std::size_t> servedOrder;  // checked when not empty
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class StackSpaceTest : public ::testing::TestWithParam<Case> {};

TEST_P(StackSpaceTest, SharesTheLength) {
  const Case& c = GetParam();
  std::vector<std::size_t> served;
  // Each child takes the proposal within its own limits, as a flexible view does.
  auto lengths = shareStackSpace(c.items, c.length, c.spacing, [&](std::size_t i, double proposal) {
    served.push_back(i);
    EXPECT_GE(proposal, 0) << "child " << i;
    return std::clamp(proposal, c.items[i].min, c.items[i].max);
  });
  EXPECT_THAT(lengths, ElementsAreArray(c.lengths));
  if (!c.servedOrder.empty()) { EXPECT_THAT(served, ElementsAreArray(c.servedOrder)); }
}

const Case kCases[] = {
    {"SpacingBetweenEveryPairSpacersIncluded", {fixed(10), spacer(), fixed(20)}, 100, 5, {10, 60, 20}, {}},
    {"LeastFlexibleServedFirst", {flexible(0, 100), fixed(30)}, 100, 0, {70, 30}, {1, 0}},
    {"TiesInDocumentOrderEachProposedRemainingOverLeft", {flexible(0, 10), flexible(0, 100), flexible(0, 100)}, 90,
     0, {10, 40, 40}, {0, 1, 2}},
    {"SpacerKeepsItsMinimumOthersShareTheRest", {spacer(30), fixed(12), spacer(0)}, 60, 0, {30, 12, 18}, {}},
    {"OverflowKeepsMinimums", {fixed(50), spacer(8), fixed(50)}, 60, 2, {50, 8, 50}, {}},
    {"InfiniteLengthGivesMaximums", {flexible(0, kInfinity), fixed(10), spacer()}, kInfinity, 8,
     {kInfinity, 10, kInfinity}, {}},
};

INSTANTIATE_TEST_SUITE_P(Table, StackSpaceTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace host
