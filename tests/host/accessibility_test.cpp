#include "host/layout/accessibility.hpp"

#include <gtest/gtest.h>

#include "host/view/view.hpp"
#include "layout_fakes.hpp"

namespace host {

void PrintTo(const AccessibleElement& e, std::ostream* os) {
  *os << "{" << e.label << ", " << ::testing::PrintToString(e.frame) << ", " << (e.link ? e.link->string() : "-") << "}";
}

namespace {

using testing_fakes::Fixture;

TEST(Accessibility, ElementsInReadingOrderWithHiddenChildrenLeftOut) {
  Fixture f;
  f.strings.translations = {{"%@ usage not known yet", "%@: noch keine Nutzung"}, {"Vantle", "Vantle-Logo"}};
  Url inbox = *Url::parse("zuvo://pane/activity");
  View view =
      VStack({.alignment = HorizontalAlignment::leading, .spacing = 0},
             {Image({.name = "wide"}).accessibilityLabel(LocalizedKey{"Vantle"}),
              SymbolImage("checkmark.circle"),
              Text("Nothing waiting is a very long caption").lineLimit(1),
              VStack({}, {Text("Claude"), Text("No usage yet")})
                  .accessibilityElement(AccessibilityChildren::ignore)
                  .accessibilityLabel(LocalizedKey{"%@ usage not known yet", {std::string("Claude")}}),
              HStack({}, {Text("Kept"), Text("82%")}).accessibilityElement(AccessibilityChildren::combine),
              VStack({}, {Text("inside")}).accessibilityElement(AccessibilityChildren::ignore),
              Link(inbox, Label(std::string("Inbox"), "tray"))})
          .font(Font::system(10));
  f.assets.images = {{"wide", {60, 10}}};
  auto elements = accessibleElements(f.lay(view, Size{200, 200}));
  std::vector<AccessibleElement> expected{
      {"Vantle-Logo", {0, 0, 60, 10}, std::nullopt},
      {"Nothing waiting is a very long caption", {0, 20, 198, 12}, std::nullopt},  // whole, though cut off
      {"Claude: noch keine Nutzung", {0, 32, 72, 32}, std::nullopt},               // hides both texts
      {"Kept, 82%", {0, 64, 50, 12}, std::nullopt},
      {"Inbox", {14, 88, 30, 12}, inbox},
  };
  EXPECT_EQ(elements, expected);
}

}  // namespace
}  // namespace host
