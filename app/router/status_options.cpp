#include "status_options.hpp"

StatusCommands declareStatusCommands(CLI::App& app, StatusCommandOptions& options) {
  StatusCommands commands{};
  commands.check = app.add_subcommand(
      "check", "Decode a status file strictly; print its compact encoding, or where and why it fails");
  commands.check->add_option("file", options.checkFile, "Status file to check, or - for standard input (the default)")
      ->type_name("FILE");
  commands.placeholder =
      app.add_subcommand("placeholder", "Print the provider's placeholder entry (the sample status)");
  commands.snapshot = app.add_subcommand(
      "snapshot", "Print the provider's snapshot entry, read from the status file of the shared container");
  commands.snapshot->add_flag("--preview", options.snapshotPreview, "Ask as the gallery preview does (gives the sample)");
  commands.timeline = app.add_subcommand(
      "timeline", "Print the provider's timeline: one entry from the status file and the reload moment");
  commands.timeline->add_flag("--preview", options.timelinePreview, "Ask in a preview context (still reads the file)");
  return commands;
}
