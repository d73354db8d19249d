// A live reader's look at the status: the provider's entry and the earlier of its reload moment
// and the next window reset after the read.
#include <gtest/gtest.h>

#include <fstream>

#include "test_files.hpp"
#include "timeline/status_reading.hpp"

namespace zuvo {
namespace {

TEST(StatusReading, LooksAgainAtTheReloadOrAtTheFirstResetAfterTheRead) {
  TemporaryDirectory folder;
  const auto file = folder.path / "status.json";
  // Clock readings 100, 200, 300: the entry's date, the reload's base (reload at 3800), the read.
  const struct { const char* resets; double lookAgainAt; } cases[] = {
      {"", 3800},                                  // no window resets
      {R"(,"resetsAt":250)", 3800},                // reset before the read: already shown
      {R"(,"resetsAt":300)", 3800},                // reset at the read: likewise
      {R"(,"resetsAt":1000)", 1000},               // reset before the reload
      {R"(,"resetsAt":5000)", 3800},               // reset after the reload
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.resets);
    std::ofstream(file, std::ios::trunc) << R"({"waiting":1,"unread":0,"weekSpend":0,"limits":[{"agent":"A","updatedAt":0,)"
                                         << R"("windows":[{"name":"daily","used":0.5)" << c.resets << "}]}]}";
    double readings = 0;
    const StatusReading reading(StatusProvider([&] { return Instant{100 * ++readings}; }, StatusStore::file(file)));
    EXPECT_EQ(reading.watchedPath(), file);
    const auto look = reading.read();
    EXPECT_EQ(look.entry.date, Instant{100});
    EXPECT_EQ(look.entry.status.waiting, 1);
    EXPECT_EQ(look.readAt, Instant{300});
    EXPECT_EQ(look.lookAgainAt, Instant{c.lookAgainAt});
  }
}

}  // namespace
}  // namespace zuvo
