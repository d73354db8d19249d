// Equality of the records (texts by canonical equivalence) and the two window queries.
#include <gtest/gtest.h>

#include "document/equality/text_equality.hpp"
#include "document/widget_status.hpp"

namespace zuvo {
namespace {

TEST(TextEquality, ComparesByCanonicalEquivalence) {
  const struct { const char *a, *b; bool equal; } cases[] = {
      {"Scribe", "scribe", false},
      {"caf\xC3\xA9", "cafe\xCC\x81", true},                 // é precomposed and decomposed
      {"\xE2\x84\xAA", "K", true},                           // the Kelvin sign is K
      {"q\xCC\xA3\xCC\x87", "q\xCC\x87\xCC\xA3", true},      // combining marks in canonical order
      {"\xEF\xAC\x81", "fi", false},                         // the fi ligature is only compatible
  };
  for (const auto& c : cases) {
    EXPECT_EQ(textsEqual(c.a, c.b), c.equal) << c.a << " / " << c.b;
    EXPECT_EQ(textsEqual(c.b, c.a), c.equal) << c.b << " / " << c.a;
  }
}

TEST(RecordEquality, IsFieldByFieldWithAbsentUnlikeEmpty) {
  const AgentLimit::Window w{.name = "caf\xC3\xA9", .used = 0.5, .resetsAt = Instant{10}};
  const AgentLimit agent{.agent = "A", .windows = {w}, .updatedAt = Instant{1}};
  const WidgetStatus status{.waiting = 1, .unread = 2, .weekScore = 0.5, .weekSpend = 3, .limits = {{agent}}};
  AgentLimit::Window decomposed = w;
  decomposed.name = "cafe\xCC\x81";
  EXPECT_EQ(w, decomposed);
  EXPECT_NE(w, (AgentLimit::Window{.name = w.name, .used = 0.5}));  // resetsAt absent against present
  EXPECT_NE(w, (AgentLimit::Window{.name = w.name, .used = 0.25, .resetsAt = Instant{10}}));
  AgentLimit later = agent;
  later.updatedAt = Instant{2};
  EXPECT_NE(agent, later);
  WidgetStatus emptyLimits = status, absentLimits = status, noScore = status;
  emptyLimits.limits.emplace();
  absentLimits.limits.reset();
  noScore.weekScore.reset();
  EXPECT_NE(emptyLimits, absentLimits);
  EXPECT_NE(status, noScore);
  const AgentLimit renamed{.agent = "A", .windows = {decomposed}, .updatedAt = Instant{1}};
  EXPECT_EQ(status, (WidgetStatus{.waiting = 1, .unread = 2, .weekScore = 0.5, .weekSpend = 3, .limits = {{renamed}}}));
}

std::vector<std::string> names(const std::vector<AgentLimit::Window>& windows) {
  std::vector<std::string> out;
  for (const auto& w : windows) out.push_back(w.name);
  return out;
}

TEST(WindowQueries, ActiveWindowsKeepOrderAndDropThoseResetByNow) {
  const AgentLimit agent{.agent = "A",
                         .windows = {{.name = "past", .used = 0.9, .resetsAt = Instant{99}},
                                     {.name = "never", .used = 0.1},
                                     {.name = "now", .used = 0.8, .resetsAt = Instant{100}},
                                     {.name = "later", .used = 0.3, .resetsAt = Instant{101}}}};
  EXPECT_EQ(names(agent.activeWindows(Instant{100})), (std::vector<std::string>{"never", "later"}));
  EXPECT_EQ(names(agent.activeWindows(Instant{50})), (std::vector<std::string>{"past", "never", "now", "later"}));
  EXPECT_EQ(agent.peakWindow(Instant{100})->name, "later");
  EXPECT_EQ(agent.peakWindow(Instant{50})->name, "past");
}

TEST(WindowQueries, PeakKeepsTheFirstOfEqualsAndIsNoneWithoutActiveWindows) {
  const AgentLimit tie{.windows = {{.name = "a", .used = 0.2}, {.name = "b", .used = 0.5}, {.name = "c", .used = 0.5}}};
  EXPECT_EQ(tie.peakWindow(Instant{0})->name, "b");
  const AgentLimit allReset{.windows = {{.name = "a", .used = 1, .resetsAt = Instant{5}}}};
  EXPECT_FALSE(allReset.peakWindow(Instant{5}));
  EXPECT_FALSE(AgentLimit{}.peakWindow(Instant{0}));
}

TEST(Instants, CountFromTheStartOf2001) { EXPECT_EQ(Instant::fromUnixSeconds(1772366400), Instant{794059200}); }

}  // namespace
}  // namespace zuvo
