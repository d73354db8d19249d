#pragma once
// What one line of `watch` says for a timeline entry, in each format. Pure: the moment the rows
// are built at, the catalog and the locale (read from the environment by the figures) are the
// only inputs besides the entry.
#include <string>

#include "host/view/string_catalog.hpp"
#include "timeline/status_entry.hpp"

enum class WatchFormat { json, waybar, text };

struct WatchAnswer {
  std::string line;  // without the newline
  // What must differ for a new line to be printed: the line itself, except that a JSON line's date
  // is left out, and the agents' shown windows are put in (a reset changes the widget, not the file).
  std::string key;
};

WatchAnswer watchAnswer(WatchFormat format, const zuvo::StatusEntry& entry, host::Instant now,
                        const host::StringCatalog& strings);
