#pragma once
// The options of `show`, declared once for the program that routes commands and for the program
// that runs the live widget, so both parse the command line alike. Uses only CLI11.
#include <string>

#include <CLI/CLI.hpp>

struct ShowOptions {
  std::string family = "medium";
  std::string appearance = "auto";
  std::string renderingMode = "full-color";
  std::string statusFile;
  std::string corner = "top-right";
  double margin = 24;
  std::string monitor;
  bool installAutostart = false;
  bool removeAutostart = false;
};

void declareShowOptions(CLI::App& command, ShowOptions& options);
