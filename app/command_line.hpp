#pragma once
// What every program of zuvo-widgets shares on its command line: the program's title, the top-level
// flags, and how a failed parse ends. The router (zuvo_widgets.cpp) and each command group's program
// build their command lines from the same declarations, so a command parses alike in both.
#include <CLI/CLI.hpp>

// The top-level application: one subcommand is required; --help-all shows every subcommand's help.
void configureProgram(CLI::App& app);

// Prints the parse error or the help it stands for; help is success (0), every mistake in the
// command line is a usage error (2).
int endParse(CLI::App& app, const CLI::ParseError& error);
