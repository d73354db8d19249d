#include "show_command.hpp"

#include <glib.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "document/status_store.hpp"
#include "host/live/autostart.hpp"
#include "host/live/live_widget_host.hpp"
#include "host/live/placement.hpp"
#include "host/live/uri_launcher.hpp"
#include "host/platform/clock.hpp"
#include "host/view/widget_family.hpp"
#include "host/kit/widget_canvas.hpp"
#include "timeline/status_reading.hpp"
#include "widgets/extension_identity.hpp"
#include "widgets/status_widget.hpp"
#include "shared/status_widget_rendering.hpp"
#include "shared/status_widget_source.hpp"

namespace {

namespace fs = std::filesystem;

constexpr const char* kProgramName = "zuvo-widgets";

// A number as the command line reads it back: the shortest text that parses to the same value.
std::string optionNumber(double value) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, value);
  return std::string(text, written.ptr);
}

std::string autostartFileName(const ShowOptions& options) { return "zuvo-widgets-" + options.family + ".desktop"; }

// The program a login session should run: the installed zuvo-widgets beside this group program
// (bin/ of the same prefix, or the build folder), else this program itself, which takes the same
// command line.
std::string programToStart() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error) return {};
  const fs::path root = self.parent_path().parent_path().parent_path();
  for (const fs::path& candidate : {root / "bin" / kProgramName, root / kProgramName})
    if (access(candidate.c_str(), X_OK) == 0) return fs::weakly_canonical(candidate, error).string();
  return self.string();
}

int changeAutostart(const ShowOptions& options) {
  const auto directory = host::autostartDirectory();
  if (!directory) {
    std::cerr << "error: show: no configuration folder (XDG_CONFIG_HOME or HOME)\n";
    return 1;
  }
  std::optional<std::string> failure;
  if (options.removeAutostart) {
    failure = host::removeAutostart(*directory, autostartFileName(options), kProgramName);
  } else {
    const std::string program = programToStart();
    if (program.empty()) {
      std::cerr << "error: show: cannot find this program's own path\n";
      return 1;
    }
    std::vector<std::string> command{program, "show", "--family", options.family};
    if (options.appearance != "auto") command.insert(command.end(), {"--appearance", options.appearance});
    if (options.renderingMode != "full-color") command.insert(command.end(), {"--rendering-mode", options.renderingMode});
    if (!options.statusFile.empty()) command.insert(command.end(), {"--status", fs::absolute(options.statusFile).string()});
    command.insert(command.end(), {"--corner", options.corner});
    command.insert(command.end(), {"--margin", optionNumber(options.margin)});
    if (!options.monitor.empty()) command.insert(command.end(), {"--monitor", options.monitor});
    failure = host::installAutostart(*directory, {.fileName = autostartFileName(options),
                                                  .name = "Zuvo (" + options.family + ")",
                                                  .comment = "The Zuvo status widget on the desktop",
                                                  .command = command,
                                                  .owner = kProgramName});
  }
  if (failure) {
    std::cerr << "error: show: " << *failure << "\n";
    return 1;
  }
  return 0;
}

bool hasGraphicalDisplay() {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"})
    if (const char* value = std::getenv(variable); value && *value) return true;
  return false;
}

// The toolkit's choices that must be made before it starts. What is set here is for this process
// only: the applications a click opens get the environment as it was.
void prepareToolkit() {
  std::vector<std::string> set;
  const auto setDefault = [&set](const char* variable, const char* value) {
    if (std::getenv(variable)) return;
    setenv(variable, value, 1);
    set.emplace_back(variable);
  };
  // Under a software display the GL renderer costs seconds to the first frame and much memory for
  // a few rectangles and texts; with the Cairo renderer GL need not even be set up, which saves
  // loading the GL drivers (about 60 MB resident).
  setDefault("GSK_RENDERER", "cairo");
  if (std::string_view(std::getenv("GSK_RENDERER")) == "cairo") setDefault("GDK_DEBUG", "gl-disable");
  const char* requested = std::getenv("GDK_BACKEND");
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  host::DisplayEnvironment environment{.x11 = display && *display,
                                       .wayland = wayland && *wayland,
                                       .layerShell = host::layerShellBuilt(),
                                       .requestedBackend = requested ? requested : ""};
  if (const auto backend = host::preferredBackend(environment)) setDefault("GDK_BACKEND", std::string(*backend).c_str());
  host::hideFromOpenedApplications(std::move(set));
  g_set_prgname(kProgramName);
}


}  // namespace

int runShow(const ShowOptions& options, const host::AnyWidgetBundle& bundle) {
  if (options.installAutostart || options.removeAutostart) return changeAutostart(options);
  if (!hasGraphicalDisplay()) {
    std::cerr << "error: show: no graphical display (DISPLAY or WAYLAND_DISPLAY)\n";
    return 1;
  }
  prepareToolkit();
  if (!host::openDisplay()) {
    const char* display = std::getenv("DISPLAY");
    std::cerr << "error: show: cannot open the display" << (display ? std::string(" ") + display : std::string())
              << "\n";
    return 1;
  }

  const host::WidgetConfiguration widget = statusWidgetDeclaration(bundle);
  const auto* configuration = widget.as<zuvo::StatusProvider>();
  if (!configuration) throw std::logic_error("the status widget is not fed by the status provider");
  const host::WidgetEnvironment environment{.family = *host::widgetFamilyNamed(options.family),
                                            .renderingMode = *host::renderingModeNamed(options.renderingMode)};
  StatusWidgetRenderer renderer;

  host::LiveWidgetOptions live{
      .applicationId = std::string(zuvo::kExtensionIdentifier) + ".Status" +
                       (environment.family == host::WidgetFamily::systemSmall ? "Small" : "Medium"),
      .window = {.title = renderer.strings().format(widget.configurationDisplayName()),
                 .size = host::widgetSize(environment.family),
                 .cornerRadius = host::kWidgetCornerRadius,
                 .corner = *host::screenCornerNamed(options.corner),
                 .margin = options.margin,
                 .monitor = options.monitor,
                 .desktopEntryId = zuvo::kExtensionIdentifier,
                 .trace = std::getenv("ZUVO_SHOW_TRACE") != nullptr},
      .appearance = {},
      .watchedFile = {}};
  if (options.appearance != "auto") live.appearance = host::Appearance(options.appearance);
  g_set_application_name(live.window.title.c_str());

  // The provider's timeline, as every drawing goes, or the same provider over a status file the
  // host was handed.
  const zuvo::StatusReading reading(
      options.statusFile.empty()
          ? configuration->provider()
          : zuvo::StatusProvider(host::systemClock(), zuvo::StatusStore::file(fs::absolute(options.statusFile))));
  live.watchedFile = reading.watchedPath();
  auto load = [configuration, reading]() {
    const auto look = reading.read();
    return host::LiveContent{.view = configuration->content(look.entry), .reloadAt = look.lookAgainAt};
  };
  auto layOut = [&renderer, environment](const host::View& view, const host::Appearance& appearance) {
    return renderer.layout(view, environment, appearance);
  };
  return host::runLiveWidget(live, load, layOut, renderer.drawer());
}
