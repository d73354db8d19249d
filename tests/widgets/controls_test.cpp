// The two controls and the intents behind their buttons: what each declares, and what a press
// asks the host to open. Their kinds are checked with the bundle.
#include <gtest/gtest.h>

#include "widgets/activity_control.hpp"
#include "widgets/new_vantle_control.hpp"

namespace zuvo {
namespace {

struct ControlCase {
  const char* name;
  host::StaticControlConfiguration configuration;
  const char* title;
  const char* symbol;
  const char* description;
  const char* url;
  const char* path;
};

std::vector<ControlCase> controlCases() {
  return {
      {"NewVantle", NewVantleControl{}.body(), "New Vantle", "square.and.pencil",
       "Open Zuvo's pane on a new conversation.", "zuvo://pane/new", "/new"},
      {"Activity", ActivityControl{}.body(), "Zuvo Inbox", "tray",
       "Approvals waiting on you and Zuvo's messages.", "zuvo://pane/activity", "/activity"},
  };
}

TEST(Controls, DeclareTextsAndALabelledButton) {
  for (const auto& c : controlCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.configuration.displayName(), (host::LocalizedKey{c.title, {}}));
    EXPECT_EQ(c.configuration.description(), (host::LocalizedKey{c.description, {}}));
    host::ControlWidgetButton button = c.configuration.content();
    EXPECT_EQ(button.label(), (host::ControlLabel{{c.title, {}}, c.symbol}));
    // Within a control the button title, the display name and the intent's title are one text.
    EXPECT_EQ(button.action().title(), button.label().title);
  }
}

TEST(Controls, APressOpensExactlyTheControlsLink) {
  for (const auto& c : controlCases()) {
    SCOPED_TRACE(c.name);
    host::IntentResult result = c.configuration.content().action().perform();
    ASSERT_TRUE(result.opensIntent());
    const host::Url& url = result.opensIntent()->url();
    EXPECT_EQ(url.string(), c.url);
    EXPECT_EQ(url.scheme(), "zuvo");
    EXPECT_EQ(url.authority(), "pane");
    EXPECT_EQ(url.path(), c.path);
    EXPECT_FALSE(url.query());
    EXPECT_FALSE(url.fragment());
  }
}

}  // namespace
}  // namespace zuvo
