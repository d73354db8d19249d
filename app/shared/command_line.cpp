#include "shared/command_line.hpp"

#include <iostream>
#include <string>

void configureProgram(CLI::App& app) {
  app.description("zuvo-widgets: the Zuvo status widget and controls, run by a small widget host");
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Show help for every subcommand");
}

int endParse(CLI::App& app, const CLI::ParseError& error) { return app.exit(error) == 0 ? 0 : 2; }

bool reportUnknownCommand(const CLI::App& app, int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') return false;
  std::string commands;
  for (const CLI::App* command : app.get_subcommands({})) {
    if (command->get_name() == argv[1]) return false;
    if (command->get_group().empty()) continue;  // a hidden command is not listed
    commands.append(commands.empty() ? "" : ", ").append(command->get_name());
  }
  std::cerr << "error: unknown command \"" << argv[1] << "\"\ncommands: " << commands << "\n";
  return true;
}

int endRun(const CLI::App& app, host::CheckedStandardOutput& output, int exitCode) {
  if (const auto failure = output.finish()) {
    const auto ran = app.get_subcommands();
    const std::string command = ran.empty() ? std::string("zuvo-widgets") : ran.front()->get_name();
    std::cerr << "error: " << command << ": cannot write the output: " << *failure << "\n";
    return 1;
  }
  return exitCode;
}
