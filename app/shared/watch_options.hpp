#pragma once
// The watch command's options, declared once for every program that parses them.
#include <CLI/CLI.hpp>

#include <string>

struct WatchOptions {
  std::string format = "json";  // json, waybar or text
  std::string statusFile;       // empty: the status file of the shared container
  std::string locale;           // empty: the environment's
};

void declareWatchOptions(CLI::App& command, WatchOptions& options);
