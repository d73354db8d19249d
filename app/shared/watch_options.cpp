#include "shared/watch_options.hpp"

void declareWatchOptions(CLI::App& command, WatchOptions& options) {
  command.description(
      "Print the status as a stream for status bars and scripts: a line at start, then a line each time "
      "what the widget shows changes (the status file, the timeline's reload moment, an agent window's reset)");
  command.add_option("--format", options.format,
                     "json: the snapshot entry per line; waybar: a Waybar custom module's JSON (text, tooltip, "
                     "class, percentage); text: the waybar text alone")
      ->check(CLI::IsMember({"json", "waybar", "text"}))
      ->capture_default_str();
  command.add_option("--status", options.statusFile,
                     "Watch this status file in place of the one in the shared container")
      ->type_name("FILE");
  command.add_option("--locale", options.locale,
                     "Locale for figures and captions (e.g. de_DE.UTF-8), in place of the environment's");
}
