#pragma once
// Opens the Zuvo application's activity pane: the action of the "Zuvo Inbox" control.
#include "host/kit/app_intent.hpp"

namespace zuvo {

struct OpenActivityIntent {
  // "Zuvo Inbox", created once on first request; every call returns a copy of it.
  static host::LocalizedKey title();
  // Asks the host to open the activity link; never fails.
  host::IntentResult perform() const;
};
static_assert(host::AppIntent<OpenActivityIntent>);

}  // namespace zuvo
