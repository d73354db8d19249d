// zuvo-widgets: runs the widget host around the Zuvo widget extension.
#include <CLI/CLI.hpp>

#include "commands.hpp"

int main(int argc, char** argv) {
  CLI::App app{"zuvo-widgets: the Zuvo status widget and controls, run by a small widget host"};
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Show help for every subcommand");
  int exitCode = 0;
  registerCommands(app, exitCode);
  CLI11_PARSE(app, argc, argv);
  return exitCode;
}
