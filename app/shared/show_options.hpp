#pragma once
// The options of `show`, declared once for the program that routes commands and for the program
// that runs the live widget, so both parse the command line alike.
#include <string>

#include <CLI/CLI.hpp>

struct ShowOptions {
  std::string family = "medium";
  bool familyGiven = false;  // --stop without --family stops both
  std::string appearance = "auto";
  std::string renderingMode = "full-color";
  std::string statusFile;
  std::string corner = "top-right";
  double margin = 24;
  std::string monitor;
  bool installAutostart = false;
  bool removeAutostart = false;
  bool stop = false;
};

// Longest --monitor value: connector names are short, and an autostart entry records it.
inline constexpr std::size_t kLongestMonitorName = 256;

void declareShowOptions(CLI::App& command, ShowOptions& options);
