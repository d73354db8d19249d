#include "host/layout/hit_test.hpp"

#include <gtest/gtest.h>

#include "host/view/view.hpp"
#include "layout_fakes.hpp"

namespace host {
namespace {

using testing_fakes::Fixture;

Url url(const char* text) { return *Url::parse(text); }

// Two buttons side by side, "New" at x 0..18 and "Inbox" at x 26..56, 12 high, in a 100x50 box.
View buttons() {
  return HStack({.spacing = 8}, {Link(url("x:new"), Text("New")), Link(url("x:inbox"), Text("Inbox")), Spacer()})
      .font(Font::system(10))
      .frame(FlexibleFrame{.maxWidth = kInfinity, .maxHeight = kInfinity, .alignment = Alignment::topLeading()});
}

TEST(HitTest, InnermostLinkElseWidgetUrlElseNone) {
  const struct { const char* name; View view; Point point; std::optional<Url> expected; } rows[] = {
      {"on the first link", buttons(), {1, 1}, url("x:new")},
      {"on the first link's top-leading corner", buttons(), {0, 0}, url("x:new")},
      {"exactly on the first link's trailing edge", buttons(), {18, 5}, std::nullopt},
      {"exactly on the first link's bottom edge", buttons(), {5, 12}, std::nullopt},
      {"just inside the second link's trailing edge", buttons(), {55.99, 11.99}, url("x:inbox")},
      {"in the gap between the links", buttons(), {20, 5}, std::nullopt},
      {"on the second link", buttons(), {30, 5}, url("x:inbox")},
      {"outside the links with a widget URL", buttons().widgetURL(url("x:widget")), {5, 30}, url("x:widget")},
      {"nested links: the inner one", Link(url("x:outer"), Link(url("x:inner"), Text("ab")).padding(Edges::all, 5)),
       {7, 7}, url("x:inner")},
      {"overlapping links: the one drawn on top", ZStack({}, {Link(url("x:under"), Text("abc")), Link(url("x:over"), Text("abc"))}),
       {1, 1}, url("x:over")},
      {"outside the widget: nothing, widget URL or not", buttons().widgetURL(url("x:widget")), {100, 20}, std::nullopt},
  };
  Fixture f;
  for (const auto& row : rows)
    EXPECT_EQ(hitTest(f.lay(row.view, Size{100, 50}), row.point), row.expected) << row.name;
}

}  // namespace
}  // namespace host
