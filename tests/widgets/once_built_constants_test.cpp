// The deep links and the intents' titles are built once, also when many threads race to first use.
#include <gtest/gtest.h>

#include <array>
#include <barrier>
#include <thread>

#include "widgets/deep_links.hpp"
#include "widgets/new_vantle_intent.hpp"
#include "widgets/open_activity_intent.hpp"

namespace zuvo {
namespace {

TEST(OnceBuiltConstantsConcurrency, RacingFirstUsesAllGetTheOneValue) {
  constexpr int kThreads = 16;
  struct Seen {
    const host::Url *newConversation = nullptr, *activity = nullptr;
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
      s.newConversation = &newConversationLink();
      s.activity = &activityLink();
      s.newVantleTitle = NewVantleIntent::title();
      s.activityTitle = OpenActivityIntent::title();
      if (i % 2 == 1) s.opened = OpenActivityIntent{}.perform().opensIntent();
    });
  threads.clear();  // joins
  for (const Seen& s : seen) {
    EXPECT_EQ(s.newConversation, seen[0].newConversation);  // one object: built exactly once
    EXPECT_EQ(s.activity, seen[0].activity);
    EXPECT_EQ(s.newVantleTitle.key, "New Vantle");
    EXPECT_EQ(s.activityTitle.key, "Zuvo Inbox");
    ASSERT_TRUE(s.opened);
  }
  EXPECT_EQ(seen[0].opened->url(), *seen[0].newConversation);
  EXPECT_EQ(seen[1].opened->url(), *seen[1].activity);
}

}  // namespace
}  // namespace zuvo
