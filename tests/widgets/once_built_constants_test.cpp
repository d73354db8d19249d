// For ThreadSanitizer: the deep links and the intents' titles, built on first use, are raced to
// from many threads; the language makes such statics build once, so what is checked here is that
// the race is clean and every thread reads the right values.
#include <gtest/gtest.h>

#include <array>
#include <barrier>
#include <string>
#include <thread>

#include "widgets/deep_links.hpp"
#include "widgets/new_vantle_intent.hpp"
#include "widgets/open_activity_intent.hpp"

namespace zuvo {
namespace {

TEST(OnceBuiltConstantsConcurrency, RacingFirstUsesAreRaceFreeUnderThreadSanitizer) {
  constexpr int kThreads = 16;
  struct Seen {
    std::string newConversation{}, activity{};
    host::LocalizedKey newVantleTitle{}, activityTitle{};
    std::optional<host::OpenURLIntent> opened{};
  };
  std::array<Seen, kThreads> seen;
  std::barrier start(kThreads);
  std::vector<std::jthread> threads;
  for (int i = 0; i < kThreads; ++i)
    threads.emplace_back([&, i] {
      start.arrive_and_wait();
      Seen& s = seen[static_cast<std::size_t>(i)];
      // Half the threads start with the intents, half with the links, so both roads race.
      if (i % 2 == 0) s.opened = NewVantleIntent{}.perform().opensIntent();
      s.newConversation = newConversationLink().string();
      s.activity = activityLink().string();
      s.newVantleTitle = NewVantleIntent::title();
      s.activityTitle = OpenActivityIntent::title();
      if (i % 2 == 1) s.opened = OpenActivityIntent{}.perform().opensIntent();
    });
  threads.clear();  // joins
  for (const Seen& s : seen) {
    EXPECT_EQ(s.newConversation, "zuvo://pane/new");
    EXPECT_EQ(s.activity, "zuvo://pane/activity");
    EXPECT_EQ(s.newVantleTitle.key, "New Vantle");
    EXPECT_EQ(s.activityTitle.key, "Zuvo Inbox");
    ASSERT_TRUE(s.opened);
  }
  EXPECT_EQ(seen[0].opened->url().string(), "zuvo://pane/new");
  EXPECT_EQ(seen[1].opened->url().string(), "zuvo://pane/activity");
}

}  // namespace
}  // namespace zuvo
