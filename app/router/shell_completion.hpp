#pragma once
// Shell completion scripts for bash, zsh and fish, written from the program's own declaration of
// its commands and options, so they list what the program parses and nothing else. An option whose
// value is checked against a set offers that set; one whose type is named FILE completes file
// names; the others take any word.
#include <CLI/CLI.hpp>

#include <ostream>
#include <string>

// Adds the hidden `completion SHELL` command (bash, zsh or fish) to `app`; `shell` receives its word.
CLI::App* declareCompletionCommand(CLI::App& app, std::string& shell);

// Writes the completion script of `shell` for every command of `program` that its help shows.
void writeCompletionScript(std::ostream& out, const CLI::App& program, const std::string& shell);
