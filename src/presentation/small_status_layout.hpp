#pragma once
// The small widget: one column with the wordmark at the top, the attention counts midway, and at
// the bottom the agent limits or, without any, the privacy-and-spend line. A tap anywhere opens
// the activity pane when something waits, else a new conversation.
#include "document/widget_status.hpp"
#include "host/platform/url.hpp"
#include "host/view/view.hpp"
#include "presentation/status_widget_view.hpp"

namespace zuvo {

struct SmallStatusLayout {
  const StatusWidgetView& record;

  host::View body() const;
};

// The activity link when waiting plus unread is at least 1, else the new-conversation link. The
// counts are added as they stand (a negative count lowers the sum), without overflow.
const host::Url& tapTarget(const WidgetStatus& status);

}  // namespace zuvo
