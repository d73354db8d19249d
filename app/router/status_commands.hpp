#pragma once
// The status commands' bodies, run in the router's own process on the commands that
// status_options.hpp declares; `exitCode` receives a command's result.
#include "status_options.hpp"

void registerStatusCommands(const StatusCommands& commands, const StatusCommandOptions& options, int& exitCode);
