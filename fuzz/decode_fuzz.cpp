// Decoding never crashes; whatever decodes re-encodes to a document that decodes to an equal status
// and encodes to the same bytes again; and both decoding paths agree (the text with an ignored
// integer literal too long for 64 bits added up front takes the validating walk).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/status_decoder.hpp"
#include "document/status_encoder.hpp"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

std::string throughWalk(std::string_view text) {
  const auto start = text.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos || text[start] != '{') return {};
  return std::string(text.substr(0, start + 1)) + "\"fuzzBig\":123456789012345678901234567890," +
         std::string(text.substr(start + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto result = zuvo::decodeStatus(text);

  const std::string walked = throughWalk(text);
  if (!walked.empty()) {
    const auto other = zuvo::decodeStatus(walked);
    // "{}" and "{ }" become invalid with a trailing comma; they fail either way.
    require(other.status.has_value() == result.status.has_value());
    if (result.status) require(*other.status == *result.status);
  }

  if (!result.status) {
    require(!result.error.where.empty() && !result.error.why.empty());
    return 0;
  }
  const std::string encoded = zuvo::encodeStatus(*result.status);
  const auto again = zuvo::decodeStatus(encoded);
  require(again.status.has_value());
  require(*again.status == *result.status);
  require(zuvo::encodeStatus(*again.status) == encoded);
  return 0;
}
