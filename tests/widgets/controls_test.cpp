// The two controls and the intents behind their buttons; their kinds are checked with the bundle.
#include <gtest/gtest.h>

#include "widgets/activity_control.hpp"
#include "widgets/new_vantle_control.hpp"

namespace zuvo {
namespace {

TEST(Controls, DeclareTextsAndALabelledButtonThatOpensExactlyTheirLink) {
  const struct { host::StaticControlConfiguration configuration; const char *title, *symbol, *description, *url; } cases[] = {
      {NewVantleControl{}.body(), "New Vantle", "square.and.pencil", "Open Zuvo's pane on a new conversation.",
       "zuvo://pane/new"},
      {ActivityControl{}.body(), "Zuvo Inbox", "tray", "Approvals waiting on you and Zuvo's messages.",
       "zuvo://pane/activity"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    EXPECT_EQ(c.configuration.displayName(), (host::LocalizedKey{c.title, {}}));
    EXPECT_EQ(c.configuration.description(), (host::LocalizedKey{c.description, {}}));
    host::ControlWidgetButton button = c.configuration.content();
    EXPECT_EQ(button.label(), (host::ControlLabel{{c.title, {}}, c.symbol}));
    EXPECT_EQ(button.action().title(), button.label().title);  // the button and its intent share one title
    host::IntentResult result = button.action().perform();
    ASSERT_TRUE(result.opensIntent());
    const host::Url& url = result.opensIntent()->url();
    EXPECT_EQ(url.string(), c.url);
    EXPECT_EQ(url.path(), std::string(c.url).substr(11));  // parsed, not only spelt
    EXPECT_FALSE(url.query() || url.fragment());
  }
}

}  // namespace
}  // namespace zuvo
