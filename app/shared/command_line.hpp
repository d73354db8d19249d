#pragma once
// What every program of zuvo-widgets shares on its command line: the program's title, the top-level
// flags, and how a parse and a run end. The router (router/zuvo_widgets.cpp) and each command
// group's program build their command lines from the same declarations, so a command parses alike
// in both.
#include <CLI/CLI.hpp>

#include <optional>
#include <string>

#include "host/platform/standard_output.hpp"

// The top-level application: one subcommand is required; --help-all shows every subcommand's help.
void configureProgram(CLI::App& app);

// The whole text read as a number, as CLI11 then reads a floating option's value; none when any of
// it is not part of the number.
std::optional<double> wholeNumber(const std::string& text);

// A floating option's value must be a finite number: "nan" and "inf" read as numbers, and "nan"
// passes every range check.
CLI::Validator finiteNumber();

// Text that is recorded where it must stay text (an autostart entry): UTF-8, at most `longest`
// bytes. Why `text` is not such text, or empty when it is.
std::string notRecordable(const std::string& text, std::size_t longest);
// The same as an option's check.
CLI::Validator recordableText(std::size_t longest);

// Prints the parse error or the help it stands for; help is success (0), every mistake in the
// command line is a usage error (2). An argument that no command knows is named before a required
// option that is missing: it is usually that option misspelt.
int endParse(CLI::App& app, const CLI::ParseError& error);

// When the first word names no command of `app`, says so and lists the commands (CLI11 alone would
// say "A subcommand is required"); the caller exits 2.
bool reportUnknownCommand(const CLI::App& app, int argc, char** argv);

// Every command's answer goes to standard output: one that did not arrive whole is a failure,
// reported as `error: <command>: cannot write the output: <reason>` with exit 1.
int endRun(const CLI::App& app, host::CheckedStandardOutput& output, int exitCode);
