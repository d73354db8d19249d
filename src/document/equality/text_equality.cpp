#include "document/equality/text_equality.hpp"

#include <unicode/bytestream.h>
#include <unicode/normalizer2.h>

#include <algorithm>
#include <string>

namespace zuvo {
namespace {

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Canonical equivalence is equality of the canonical decompositions (NFD).
std::string decomposed(std::string_view text, const icu::Normalizer2& nfd) {
  std::string out;
  icu::StringByteSink<std::string> sink(&out, static_cast<int32_t>(text.size()));
  UErrorCode status = U_ZERO_ERROR;
  nfd.normalizeUTF8(0, icu::StringPiece(text.data(), static_cast<int32_t>(text.size())), sink, nullptr,
                    status);
  return out;
}

}  // namespace

bool textsEqual(std::string_view a, std::string_view b) {
  if (a == b) return true;
  // ASCII is its own decomposition, so two different ASCII texts are never equivalent. One ASCII
  // text and one other are not settled here: the Kelvin sign decomposes to "K".
  if (isAscii(a) && isAscii(b)) return false;
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
  if (U_FAILURE(status)) return false;
  return decomposed(a, *nfd) == decomposed(b, *nfd);
}

}  // namespace zuvo
