#include "widgets/open_activity_intent.hpp"

#include "widgets/deep_links.hpp"

namespace zuvo {

host::LocalizedKey OpenActivityIntent::title() {
  static const host::LocalizedKey title{"Zuvo Inbox", {}};
  return title;
}

host::IntentResult OpenActivityIntent::perform() const {
  return host::IntentResult::result(host::OpenURLIntent(activityLink()));
}

}  // namespace zuvo
