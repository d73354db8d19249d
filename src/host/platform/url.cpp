#include "host/platform/url.hpp"

#include <cctype>

namespace host {

std::optional<Url> Url::parse(std::string_view text) {
  for (unsigned char c : text)
    if (c <= 0x20 || c == 0x7F) return std::nullopt;

  std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0) return std::nullopt;
  if (!std::isalpha(static_cast<unsigned char>(text[0]))) return std::nullopt;
  for (std::size_t i = 1; i < colon; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return std::nullopt;
  }

  Url url;
  url.text_ = std::string(text);
  url.scheme_ = {0, colon, true};
  std::size_t pos = colon + 1;
  std::size_t end = text.size();
  std::size_t hash = text.find('#', pos);
  if (hash != std::string_view::npos) {
    url.fragment_ = {hash + 1, end - hash - 1, true};
    end = hash;
  }
  std::size_t question = text.substr(0, end).find('?', pos);
  if (question != std::string_view::npos) {
    url.query_ = {question + 1, end - question - 1, true};
    end = question;
  }
  if (text.substr(pos, 2) == "//") {
    std::size_t start = pos + 2;
    std::size_t slash = text.substr(0, end).find('/', start);
    std::size_t stop = slash == std::string_view::npos ? end : slash;
    url.authority_ = {start, stop - start, true};
    pos = stop;
  }
  url.path_ = {pos, end - pos, true};
  return url;
}

std::string_view Url::scheme() const { return slice(scheme_); }
std::optional<std::string_view> Url::authority() const {
  return authority_.present ? std::optional(slice(authority_)) : std::nullopt;
}
std::string_view Url::path() const { return slice(path_); }
std::optional<std::string_view> Url::query() const {
  return query_.present ? std::optional(slice(query_)) : std::nullopt;
}
std::optional<std::string_view> Url::fragment() const {
  return fragment_.present ? std::optional(slice(fragment_)) : std::nullopt;
}

}  // namespace host
