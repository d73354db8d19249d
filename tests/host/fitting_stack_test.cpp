// The fitting stack: the leading rows that fit whole, else an overflow view for the rest; rows
// beyond are never built.
#include <gtest/gtest.h>

#include <string>

#include "host/view/view.hpp"
#include "layout_fakes.hpp"

namespace host {
namespace {

using testing_fakes::findText, testing_fakes::Fixture;

// Rows "row 0", "row 1", ... and "+N", each 12 high (font 10), 6 apart; counts the rows built.
struct Rows {
  std::size_t count;
  mutable std::size_t built = 0;

  View view() const {
    return FittingVStack(
        {.alignment = HorizontalAlignment::leading, .spacing = 6}, count,
        [this](std::size_t i) { return ++built, Text("row " + std::to_string(i)).id("r" + std::to_string(i)); },
        [](std::size_t hidden) { return Text("+" + std::to_string(hidden)); })
        .font(Font::system(10));
  }
};

std::size_t shownRows(const LayoutTree& tree) {
  std::size_t n = 0;
  for (const auto& node : tree.nodes) n += node.kind == LayoutKind::identity;
  return n;
}

TEST(FittingStack, ShowsTheRowsThatFitWholeThenTheOverflowForTheRest) {
  const struct { std::size_t count; double height; std::size_t shown; const char* overflow; } cases[] = {
      {3, 48, 3, nullptr},   // 12 + 6 + 12 + 6 + 12: exactly all three
      {3, 47.9, 1, "+2"},    // two rows and "+1" need 48 too, so one row and "+2"
      {4, 48, 2, "+2"},      // two rows and the overflow line fill it exactly
      {10, 29.9, 0, "+10"},  // one row and "+9" do not fit: the overflow alone
      {10, 0, 0, "+10"},     // no room at all: still the overflow, never silently nothing
      {0, 100, 0, nullptr},
  };
  Fixture f;
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.count << " rows in " << c.height);
    Rows rows{c.count};
    const auto tree = f.lay(rows.view(), Size{100, c.height});
    EXPECT_EQ(shownRows(tree), c.shown);
    // Built: the rows that fit without the overflow line and the first that does not.
    EXPECT_LE(rows.built, c.shown + 2);
    const auto* overflow = c.overflow ? findText(tree, c.overflow) : nullptr;
    EXPECT_EQ(overflow != nullptr, c.overflow != nullptr);
    const double end = c.shown * 18.0 + (overflow ? 12 : -6) * (c.shown + (overflow ? 1 : 0) > 0);
    EXPECT_DOUBLE_EQ(tree.size.height, end);
    if (overflow) { EXPECT_DOUBLE_EQ(overflow->frame.y, c.shown * 18.0); }
  }
}

// In a stack, the fitting stack gets what the other children leave, and a hundred thousand rows
// cost what the shown ones cost.
TEST(FittingStack, InAStackTakesWhatTheOthersLeave) {
  Fixture f;
  Rows rows{100000};
  const View column = VStack({.alignment = HorizontalAlignment::leading, .spacing = 8},
                             {Text("title").font(Font::system(20)), Spacer(), rows.view()});
  const auto tree = f.lay(column, Size{100, 100});  // 24 for the title, 2 x 8 spacing: 60 left
  EXPECT_EQ(shownRows(tree), 2u);                    // 12 + 6 + 12 + 6 + "+99998" 12 = 48
  EXPECT_TRUE(findText(tree, "+99998"));
  EXPECT_LE(rows.built, 4u);
  EXPECT_LE(f.measurer.calls.size(), 12u);
  EXPECT_DOUBLE_EQ(findText(tree, "title")->frame.y, 0);
  EXPECT_DOUBLE_EQ(findText(tree, "+99998")->frame.maxY(), 100);  // the spacer took the rest, above
  // Asked for its ideal height, it shows every row.
  Rows few{5};
  EXPECT_DOUBLE_EQ(f.lay(few.view(), ProposedSize{100, std::nullopt}).size.height, 5 * 12 + 4 * 6);
}

}  // namespace
}  // namespace host
