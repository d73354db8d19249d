// The widget host's run: the command line of zuvo-widgets, serving the bundle the extension's main
// entry handed over.
#include <CLI/CLI.hpp>

#include <iostream>

#include "commands.hpp"
#include "host/kit/widget_bundle.hpp"
#include "host/locale/locale_environment.hpp"
#include "host/platform/standard_output.hpp"

namespace {

// The command that ran, for messages: the subcommand, or the program itself (--help).
std::string commandName(const CLI::App& app) {
  const auto ran = app.get_subcommands();
  return ran.empty() ? std::string("zuvo-widgets") : ran.front()->get_name();
}

// The first word names no command: say so, and which commands there are (instead of CLI11's "A
// subcommand is required").
bool isUnknownCommand(const CLI::App& app, int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') return false;
  std::string commands;
  for (const CLI::App* command : app.get_subcommands({})) {
    if (command->get_name() == argv[1]) return false;
    commands.append(commands.empty() ? "" : ", ").append(command->get_name());
  }
  std::cerr << "error: unknown command \"" << argv[1] << "\"\ncommands: " << commands << "\n";
  return true;
}

}  // namespace

int host::runWidgetHost(const host::AnyWidgetBundle& bundle, int argc, char** argv) {
  // Before any library reads a locale name: GLib and librsvg abort on one that is not UTF-8.
  host::dropImplausibleLocaleVariables();
  host::CheckedStandardOutput output;
  CLI::App app{"zuvo-widgets: the Zuvo status widget and controls, run by a small widget host"};
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Show help for every subcommand");
  int exitCode = 0;
  registerCommands(app, bundle, exitCode);
  if (isUnknownCommand(app, argc, argv)) return 2;
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // Help is success; every mistake in the command line is a usage error, exit 2.
    const int code = app.exit(error);
    exitCode = code == 0 ? 0 : 2;
  }
  // Every command's answer goes to standard output: one that did not arrive whole is a failure.
  if (const auto failure = output.finish()) {
    std::cerr << "error: " << commandName(app) << ": cannot write the output: " << *failure << "\n";
    return 1;
  }
  return exitCode;
}
