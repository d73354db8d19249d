#include "host/locale/key_formatter.hpp"

#include <gtest/gtest.h>

namespace host {
namespace {

TEST(FormatKey, FillsPlaceholdersAndWritesMismatchesVisibly) {
  using A = std::vector<FormatArgument>;
  const struct { const char* format; A arguments; const char* text; } cases[] = {
      {"%lld", A{std::int64_t{1234}}, "1234"},  // no grouping
      {"%@ %@ %lld percent used", A{"Claude", "weekly", std::int64_t{125}}, "Claude weekly 125 percent used"},
      // Numbered placeholders reorder; unnumbered ones count on their own.
      {"%2$@: %1$lld", A{std::int64_t{5}, "daily"}, "daily: 5"},
      {"%1$@ %@ %2$@", A{"a", "b"}, "a a b"},
      {"%%lld %%@ 100%%", A{std::int64_t{5}}, "%lld %@ 100%"},
      // A key and its arguments that do not fit never fail; what is missing shows as the placeholder.
      {"%lld", A{"text"}, "text"},         {"%@", A{std::int64_t{7}}, "7"},
      {"%@ and %@", A{"a"}, "a and %@"},   {"%3$@ %0$@", A{"a"}, "%3$@ %0$@"},
      {"%d %s %ll %", A{std::int64_t{1}}, "%d %s %ll %"}, {"%1$", A{"a"}, "%1$"},
  };
  for (const auto& c : cases) EXPECT_EQ(formatKey(c.format, c.arguments), c.text) << c.format;
}

}  // namespace
}  // namespace host
