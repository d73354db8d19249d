// The widget host's run: the command line of zuvo-widgets, serving the bundle the extension's main
// entry handed over.
#include <CLI/CLI.hpp>

#include "commands.hpp"
#include "host/kit/widget_bundle.hpp"

int host::runWidgetHost(const host::AnyWidgetBundle& bundle, int argc, char** argv) {
  CLI::App app{"zuvo-widgets: the Zuvo status widget and controls, run by a small widget host"};
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Show help for every subcommand");
  int exitCode = 0;
  registerCommands(app, bundle, exitCode);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // Help is success; every mistake in the command line is a usage error, exit 2.
    const int code = app.exit(error);
    return code == 0 ? 0 : 2;
  }
  return exitCode;
}
