#pragma once
// Strict, all-or-nothing decoding of the status document (one JSON object in UTF-8).
//
// Beyond the document's own rules, these choices hold:
// - An integer field ("waiting", "unread") takes an integer literal only: 2.0 and 2e0 fail, so no
//   literal is ever rounded into an integer it does not spell. -0 reads as 0.
// - A number beyond the range of a 64-bit float (1e400), wherever it stands, fails the document
//   rather than being taken as infinite. An integer literal too long for 64 bits is a float.
// - A key of the document that occurs twice in one object (after unescaping) fails the document;
//   a repeated key that the document does not list is ignored like any unknown key.
// - Only UTF-8 is accepted; a byte-order mark, or UTF-16/32 text, fails.
// - No value stands more than 1024 levels deep, the top-level object being the first level: an
//   object or array at the 1024th level must be empty.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "document/widget_status.hpp"

namespace zuvo {

// Where decoding failed ("limits[0].windows[1].used", or "document" for the text as a whole) and
// why ("expected a number, found a string"). Built only when decoding fails.
struct DecodeError {
  std::string where{};
  std::string why{};
};

struct DecodeResult {
  std::optional<WidgetStatus> status{};
  DecodeError error{};  // meaningful only when status is absent
};

// Bytes readable past the end of the document that let decoding parse in place.
inline constexpr std::size_t kDecodePadding = 64;

// Decodes `bytes`. When `capacity` (bytes readable from bytes.data()) leaves kDecodePadding spare
// bytes after the document, it is parsed in place; otherwise it is first copied.
DecodeResult decodeStatus(std::string_view bytes, std::size_t capacity = 0);

}  // namespace zuvo
