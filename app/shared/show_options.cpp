#include "shared/show_options.hpp"

#include <limits.h>

#include "shared/command_line.hpp"

void declareShowOptions(CLI::App& command, ShowOptions& options) {
  command.add_option("--family", options.family, "Widget size; one window per size")
      ->check(CLI::IsMember({"small", "medium"}))
      ->each([&options](const std::string&) { options.familyGiven = true; })
      ->capture_default_str();
  command.add_option("--appearance", options.appearance, "Light, dark, or auto: follow the desktop's setting")
      ->check(CLI::IsMember({"auto", "light", "dark"}))
      ->capture_default_str();
  command.add_option("--rendering-mode", options.renderingMode, "How the host renders colours")
      ->check(CLI::IsMember({"full-color", "accented", "vibrant"}))
      ->capture_default_str();
  command.add_option("--status", options.statusFile,
                     "Show this status file, followed as it changes (default: the shared container's)")
      ->type_name("FILE");
  command.add_option("--corner", options.corner, "Screen corner the widget sits in")
      ->check(CLI::IsMember({"top-left", "top-right", "bottom-left", "bottom-right"}))
      ->capture_default_str();
  command.add_option("--margin", options.margin, "Distance from the corner's two edges, in points")
      ->check(finiteNumber())
      ->check(CLI::Range(0.0, 10000.0))
      ->capture_default_str();
  command.add_option("--monitor", options.monitor, "Monitor: a connector name (HDMI-1), primary, or an index in the toolkit's order (0, 1); default: the primary")
      ->check(recordableText(kLongestMonitorName));
  auto* install = command.add_flag(
      "--install-autostart", options.installAutostart,
      "Start this widget, with these options, at login: write $XDG_CONFIG_HOME/autostart/zuvo-widgets-<family>.desktop");
  auto* remove = command.add_flag("--remove-autostart", options.removeAutostart,
                                  "Stop starting this family's widget at login: remove that file");
  install->excludes(remove);
  auto* stop = command.add_flag("--stop", options.stop,
                                "Ask the running widget of --family, or of both families without it, to quit");
  stop->excludes(install)->excludes(remove);
  // An autostart entry records the status file's path: it must be text a desktop entry can hold.
  command.final_callback([&options] {
    if (options.installAutostart && !options.statusFile.empty() && !notRecordable(options.statusFile, PATH_MAX).empty())
      throw CLI::ValidationError("--status", "an autostart entry records only a path of UTF-8 text, at most " +
                                                  std::to_string(PATH_MAX) + " bytes long");
  });
}
