// The widget host's run in zuvo-widgets-draw: the drawing commands of zuvo-widgets, serving the
// bundle the extension's main entry handed over. The router (router/zuvo_widgets.cpp) has already
// parsed the same command line with the same declarations and hands it over unchanged.
#include "shared/command_line.hpp"
#include "commands.hpp"
#include "host/kit/widget_bundle.hpp"
#include "host/locale/locale_environment.hpp"

int host::runWidgetHost(const host::AnyWidgetBundle& bundle, int argc, char** argv) {
  // Before any library reads a locale name: GLib and librsvg abort on one that is not UTF-8.
  host::dropImplausibleLocaleVariables();
  host::CheckedStandardOutput output;
  CLI::App app;
  configureProgram(app);
  DrawCommandOptions options;
  const DrawCommands commands = declareDrawCommands(app, options, bundleChoices(bundle));
  int exitCode = 0;
  registerStatusWidgetCommands(commands, options, bundle, exitCode);
  registerBundleCommands(commands, options, bundle, exitCode);
  registerGalleryCommand(commands, options, bundle, exitCode);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return endRun(app, output, endParse(app, error));
  }
  return endRun(app, output, exitCode);
}
