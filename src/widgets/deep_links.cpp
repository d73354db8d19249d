#include "widgets/deep_links.hpp"

namespace zuvo {
namespace {

// The texts are fixed and well formed, so the parse cannot fail.
host::Url parseFixed(const char* text) { return *host::Url::parse(text); }

}  // namespace

// Function-local statics: initialised once, thread-safe, never destroyed before use ends.
const host::Url& newConversationLink() {
  static const host::Url link = parseFixed(kNewConversationLinkText);
  return link;
}

const host::Url& activityLink() {
  static const host::Url link = parseFixed(kActivityLinkText);
  return link;
}

}  // namespace zuvo
