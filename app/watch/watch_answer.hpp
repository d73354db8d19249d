#pragma once
// What one line of `watch` says for a status at a moment, in each format. Pure: the clock, the
// catalog and the locale (read from the environment by the figures) are the only inputs besides
// the status.
#include <string>

#include "document/widget_status.hpp"
#include "host/view/string_catalog.hpp"

enum class WatchFormat { json, waybar, text };

struct WatchAnswer {
  std::string line;  // without the newline
  // What must differ for a new line to be printed: the line itself, except that a JSON line's date
  // is left out, and the agents' shown windows are put in (a reset changes the widget, not the file).
  std::string key;
};

WatchAnswer watchAnswer(WatchFormat format, const zuvo::WidgetStatus& status, host::Instant now,
                        const host::StringCatalog& strings);
