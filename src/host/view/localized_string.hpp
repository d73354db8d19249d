#pragma once
// Text content: shown unchanged, or looked up by a localisable key in the string catalog.
// Keys use printf-style placeholders: "%lld" for a 64-bit integer, "%@" for a UTF-8 text,
// "%%" for a literal percent sign; translations may number them ("%2$@", "%1$lld").
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace host {

using FormatArgument = std::variant<std::int64_t, std::string>;

struct LocalizedKey {
  std::string key;
  std::vector<FormatArgument> arguments{};
  friend bool operator==(const LocalizedKey&, const LocalizedKey&) = default;
};

// A verbatim string is shown as it stands; a LocalizedKey goes through the catalog.
using TextContent = std::variant<std::string, LocalizedKey>;

}  // namespace host
