#pragma once
// The widget bundle of the Zuvo extension: the status widget, then the "New Vantle" control, then
// the "Zuvo Inbox" control. The program's main entry starts here.
#include "host/kit/widget_bundle.hpp"

namespace zuvo {

struct ZuvoMacWidgets {
  host::WidgetBundleBody body() const;

  // Hands control and this bundle to the widget host; returns the host's exit status.
  static int main(int argc, char** argv) { return host::widgetBundleMain<ZuvoMacWidgets>(argc, argv); }
};
static_assert(host::WidgetBundle<ZuvoMacWidgets>);

}  // namespace zuvo
