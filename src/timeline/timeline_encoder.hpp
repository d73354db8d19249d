#pragma once
// JSON forms of the provider's answers, for the command line:
// an entry is {"date":<instant>,"status":<status>}, a timeline is
// {"entries":[<entry>,...],"policy":{"after":<instant>}}.
#include <string>

#include "timeline/status_entry.hpp"

namespace zuvo {

std::string encodeEntry(const StatusEntry& entry);
std::string encodeTimeline(const host::Timeline<StatusEntry>& timeline);

}  // namespace zuvo
