#pragma once
// The status commands' command line (check, placeholder, snapshot, timeline), declared with CLI11
// alone; the router answers these commands itself.
#include <CLI/CLI.hpp>

#include <string>

struct StatusCommandOptions {
  std::string checkFile = "-";
  bool snapshotPreview = false;
  bool timelinePreview = false;
};

struct StatusCommands {
  CLI::App* check;
  CLI::App* placeholder;
  CLI::App* snapshot;
  CLI::App* timeline;
};

// Adds the four commands, in the order the program's help lists them, with their options.
StatusCommands declareStatusCommands(CLI::App& app, StatusCommandOptions& options);
