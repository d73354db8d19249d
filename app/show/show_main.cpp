// zuvo-widgets-show: the program behind `zuvo-widgets show`. The extension's main entry hands it
// the bundle, as in every program of the host; it parses the command line with the same
// declarations as zuvo-widgets and keeps the status widget live on the desktop.
#include <CLI/CLI.hpp>

#include "shared/command_line.hpp"
#include "host/kit/widget_bundle.hpp"
#include "host/locale/locale_environment.hpp"
#include "show_command.hpp"
#include "shared/show_options.hpp"
#include "widgets/zuvo_mac_widgets.hpp"

int host::runWidgetHost(const host::AnyWidgetBundle& bundle, int argc, char** argv) {
  // Before GTK reads a locale name: GLib aborts on one that is not UTF-8.
  host::dropImplausibleLocaleVariables();
  CLI::App app;
  configureProgram(app);
  ShowOptions options;
  declareShowOptions(*app.add_subcommand("show", "Keep the status widget on the desktop, live"), options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return endParse(app, error);
  }
  return runShow(options, bundle);
}

int main(int argc, char** argv) { return zuvo::ZuvoMacWidgets::main(argc, argv); }
