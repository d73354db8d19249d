#pragma once
// The drawing commands' bodies, run by the commands that shared/draw_options.hpp declares; `exitCode`
// receives a command's result. Commands that read the extension's declarations take the hosted bundle.
#include "shared/draw_options.hpp"
#include "host/kit/widget_bundle.hpp"

// The status widget's families and the controls' names, as the bundle declares them.
DrawChoices bundleChoices(const host::AnyWidgetBundle& bundle);

void registerStatusWidgetCommands(const DrawCommands& commands, const DrawCommandOptions& options,
                                  const host::AnyWidgetBundle& bundle, int& exitCode);  // render, layout, tap
void registerBundleCommands(const DrawCommands& commands, const DrawCommandOptions& options,
                            const host::AnyWidgetBundle& bundle, int& exitCode);  // describe, press
void registerGalleryCommand(const DrawCommands& commands, const DrawCommandOptions& options,
                            const host::AnyWidgetBundle& bundle, int& exitCode);  // gallery
