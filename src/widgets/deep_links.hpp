#pragma once
// The two deep links into the Zuvo application. Each is a process-wide constant, parsed from its
// fixed text on first use, exactly once, also when threads race to that first use.
#include "host/platform/url.hpp"

namespace zuvo {

inline constexpr const char* kNewConversationLinkText = "zuvo://pane/new";
inline constexpr const char* kActivityLinkText = "zuvo://pane/activity";

// Opens the application on a new conversation.
const host::Url& newConversationLink();
// Opens the activity pane: approvals waiting on the user and the application's messages.
const host::Url& activityLink();

}  // namespace zuvo
