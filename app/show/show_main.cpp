// zuvo-widgets-show: the program behind `zuvo-widgets show`. The extension's main entry hands it
// the bundle, as in every program of the host; it parses the command line with the same
// declarations as zuvo-widgets and keeps the status widget live on the desktop.
#include <CLI/CLI.hpp>

#include "host/kit/widget_bundle.hpp"
#include "show_command.hpp"
#include "show_options.hpp"
#include "widgets/zuvo_mac_widgets.hpp"

int host::runWidgetHost(const host::AnyWidgetBundle& bundle, int argc, char** argv) {
  CLI::App app{"zuvo-widgets: the Zuvo status widget and controls, run by a small widget host"};
  app.require_subcommand(1);
  ShowOptions options;
  declareShowOptions(*app.add_subcommand("show", "Keep the status widget on the desktop, live"), options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error);
    return code == 0 ? 0 : 2;
  }
  return runShow(options, bundle);
}

int main(int argc, char** argv) { return zuvo::ZuvoMacWidgets::main(argc, argv); }
