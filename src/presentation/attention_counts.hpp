#pragma once
// The one figure the widget exists to show: approvals waiting, else new Inbox items, else that
// nothing waits. Waiting wins over unread; a count of 0 or below counts as nothing.
#include <cstdint>

#include "host/view/view.hpp"

namespace zuvo {

struct AttentionCounts {
  std::int64_t waiting{};
  std::int64_t unread{};

  host::View body() const;
};

}  // namespace zuvo
