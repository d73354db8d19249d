#pragma once
// Each subcommand registers itself on the application; `exitCode` receives its result. Commands
// that read the extension's declarations take the hosted bundle.
#include <CLI/CLI.hpp>

#include "host/widget_bundle.hpp"

void registerStatusCommands(CLI::App& app, int& exitCode);  // check, placeholder, snapshot, timeline
void registerStatusWidgetCommands(CLI::App& app, const host::AnyWidgetBundle& bundle, int& exitCode);  // render, layout, tap
void registerBundleCommands(CLI::App& app, const host::AnyWidgetBundle& bundle, int& exitCode);  // describe, press
void registerGalleryCommand(CLI::App& app, const host::AnyWidgetBundle& bundle, int& exitCode);  // gallery

inline void registerCommands(CLI::App& app, const host::AnyWidgetBundle& bundle, int& exitCode) {
  registerStatusCommands(app, exitCode);
  registerStatusWidgetCommands(app, bundle, exitCode);
  registerBundleCommands(app, bundle, exitCode);
  registerGalleryCommand(app, bundle, exitCode);
}
