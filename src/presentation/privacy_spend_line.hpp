#pragma once
// The small layout's bottom line when there are no agent limits: the share kept private beside a
// lock, then what was paid for AI.
#include <optional>

#include "host/view/view.hpp"

namespace zuvo {

struct PrivacySpendLine {
  std::optional<double> weekScore{};
  double weekSpend{};

  host::View body() const;
};

}  // namespace zuvo
