#include "command_line.hpp"

void configureProgram(CLI::App& app) {
  app.description("zuvo-widgets: the Zuvo status widget and controls, run by a small widget host");
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Show help for every subcommand");
}

int endParse(CLI::App& app, const CLI::ParseError& error) { return app.exit(error) == 0 ? 0 : 2; }
