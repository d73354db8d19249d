#pragma once
// What every program of zuvo-widgets shares on its command line: the program's title, the top-level
// flags, and how a parse and a run end. The router (router/zuvo_widgets.cpp) and each command
// group's program build their command lines from the same declarations, so a command parses alike
// in both.
#include <CLI/CLI.hpp>

#include "host/platform/standard_output.hpp"

// The top-level application: one subcommand is required; --help-all shows every subcommand's help.
void configureProgram(CLI::App& app);

// Prints the parse error or the help it stands for; help is success (0), every mistake in the
// command line is a usage error (2).
int endParse(CLI::App& app, const CLI::ParseError& error);

// When the first word names no command of `app`, says so and lists the commands (CLI11 alone would
// say "A subcommand is required"); the caller exits 2.
bool reportUnknownCommand(const CLI::App& app, int argc, char** argv);

// Every command's answer goes to standard output: one that did not arrive whole is a failure,
// reported as `error: <command>: cannot write the output: <reason>` with exit 1.
int endRun(const CLI::App& app, host::CheckedStandardOutput& output, int exitCode);
