#pragma once
// Each subcommand registers itself on the application; `exitCode` receives its result.
#include <CLI/CLI.hpp>

void registerStatusCommands(CLI::App& app, int& exitCode);  // check, placeholder, snapshot, timeline
void registerStatusWidgetCommands(CLI::App& app, int& exitCode);  // render, layout, tap

inline void registerCommands(CLI::App& app, int& exitCode) {
  registerStatusCommands(app, exitCode);
  registerStatusWidgetCommands(app, exitCode);
}
