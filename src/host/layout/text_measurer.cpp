#include "host/layout/text_measurer.hpp"

namespace host {

std::size_t TextMeasurer::graphemePrefix(std::string_view text, std::size_t count) const {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // inside a code point
    if (seen++ == count) return i;
  }
  return text.size();
}

}  // namespace host
