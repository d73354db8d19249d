#pragma once
// Opens the Zuvo application on a new conversation: the action of the "New Vantle" control.
#include "host/kit/app_intent.hpp"

namespace zuvo {

struct NewVantleIntent {
  // "New Vantle", created once on first request; every call returns a copy of it.
  static host::LocalizedKey title();
  // Asks the host to open the new-conversation link; never fails.
  host::IntentResult perform() const;
};
static_assert(host::AppIntent<NewVantleIntent>);

}  // namespace zuvo
