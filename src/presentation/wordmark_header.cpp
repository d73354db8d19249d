#include "presentation/wordmark_header.hpp"

namespace zuvo {

std::vector<host::View> WordmarkHeader::children() const {
  return {
      host::Image({.name = "VantleWordmark", .resizable = true, .contentMode = host::ContentMode::fit})
          .frame(host::FixedFrame{.width = 74})
          .accessibilityLabel(host::LocalizedKey{"Vantle"}),
      host::Spacer({.minLength = 0}),
  };
}

}  // namespace zuvo
