#pragma once
// The medium widget's two columns, for the horizontal stack the status view supplies: at the left
// the wordmark, the attention counts and two link buttons; at the right, exactly 136 points wide,
// the week's figures, their caption and, at its foot, the agent limits. No widget-wide tap target:
// only the buttons open a link.
#include <vector>

#include "host/view/view.hpp"
#include "presentation/status_widget_view.hpp"

namespace zuvo {

inline constexpr double kMediumRightColumnWidth = 136;

struct MediumStatusLayout {
  const StatusWidgetView& record;

  std::vector<host::View> columns() const;
};

}  // namespace zuvo
