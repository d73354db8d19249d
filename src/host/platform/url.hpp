#pragma once
// An absolute URL, parsed once from its text into scheme, authority, path, query and fragment.
#include <optional>
#include <string>
#include <string_view>

namespace host {

class Url {
 public:
  // Accepts "scheme:[//authority]path[?query][#fragment]" with a scheme of a letter followed by
  // letters, digits, "+", "-" or "."; no whitespace or control characters anywhere.
  static std::optional<Url> parse(std::string_view text);

  const std::string& string() const { return text_; }
  std::string_view scheme() const;
  std::optional<std::string_view> authority() const;
  std::string_view path() const;
  std::optional<std::string_view> query() const;
  std::optional<std::string_view> fragment() const;

  friend bool operator==(const Url& a, const Url& b) { return a.text_ == b.text_; }

 private:
  struct Range {
    std::size_t begin = 0;
    std::size_t length = 0;
    bool present = false;
  };
  std::string_view slice(Range r) const { return std::string_view(text_).substr(r.begin, r.length); }

  std::string text_;
  Range scheme_, authority_, path_, query_, fragment_;
};

}  // namespace host
