#include "widgets/new_vantle_intent.hpp"

#include "widgets/deep_links.hpp"

namespace zuvo {

host::LocalizedKey NewVantleIntent::title() {
  static const host::LocalizedKey title{"New Vantle", {}};
  return title;
}

host::IntentResult NewVantleIntent::perform() const {
  return host::IntentResult::result(host::OpenURLIntent(newConversationLink()));
}

}  // namespace zuvo
