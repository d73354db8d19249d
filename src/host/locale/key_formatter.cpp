#include "host/locale/key_formatter.hpp"

#include <charconv>
#include <optional>

namespace host {
namespace {

void appendArgument(std::string& out, const FormatArgument& argument) {
  if (const auto* text = std::get_if<std::string>(&argument)) {
    out += *text;
    return;
  }
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, std::get<std::int64_t>(argument)).ptr;
  out.append(digits, end);
}

struct Placeholder {
  std::optional<std::size_t> position;  // from 1; none for "next"
  std::size_t length = 0;               // characters of the format it spans, '%' included
};

// The placeholder at the start of `text`, which begins with '%' and is not "%%".
std::optional<Placeholder> parsePlaceholder(std::string_view text) {
  Placeholder placeholder;
  std::size_t at = 1;
  std::size_t dollar = text.find_first_not_of("0123456789", at);
  if (dollar != std::string_view::npos && dollar > at && text[dollar] == '$') {
    std::size_t position = 0;
    auto [end, error] = std::from_chars(text.data() + at, text.data() + dollar, position);
    if (error != std::errc() || position == 0) return std::nullopt;
    placeholder.position = position;
    at = dollar + 1;
  }
  for (std::string_view conversion : {"lld", "@"}) {
    if (text.substr(at).starts_with(conversion)) {
      placeholder.length = at + conversion.size();
      return placeholder;
    }
  }
  return std::nullopt;
}

}  // namespace

std::string formatKey(std::string_view format, std::span<const FormatArgument> arguments) {
  // Room for every argument once, so a long text argument is copied once, not again as the
  // string grows past it.
  std::size_t room = format.size() + 16;
  for (const auto& argument : arguments)
    room += std::holds_alternative<std::string>(argument) ? std::get<std::string>(argument).size() : 20;
  std::string out;
  out.reserve(room);
  std::size_t next = 0;
  while (!format.empty()) {
    std::size_t percent = format.find('%');
    out.append(format.substr(0, percent));
    if (percent == std::string_view::npos) break;
    format.remove_prefix(percent);
    if (format.starts_with("%%")) {
      out += '%';
      format.remove_prefix(2);
      continue;
    }
    std::optional<Placeholder> placeholder = parsePlaceholder(format);
    if (!placeholder) {
      out += '%';
      format.remove_prefix(1);
      continue;
    }
    std::size_t index = placeholder->position ? *placeholder->position - 1 : next++;
    if (index < arguments.size())
      appendArgument(out, arguments[index]);
    else
      out.append(format.substr(0, placeholder->length));
    format.remove_prefix(placeholder->length);
  }
  return out;
}

}  // namespace host
