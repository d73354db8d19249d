// zuvo-widgets, the program users run: it declares every command, so its help and its usage errors
// come from one place, and answers the status commands in its own process. Every other command it
// hands over, its command line unchanged, to the program of that command's group, which links the
// libraries the group needs; this program links no drawing, text or locale library, so the status
// commands a host or a status bar runs again and again load none.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <vector>

#include "shared/command_line.hpp"
#include "shared/draw_options.hpp"
#include "host/platform/resource_directory.hpp"
#include "shell_completion.hpp"
#include "status_commands.hpp"
#include "shared/show_options.hpp"
#include "shared/watch_options.hpp"

namespace {

// A command group run by a program of its own in libexec/zuvo-widgets/: the program's name and a
// declaration of the group's commands, the same one the program parses with.
struct CommandGroup {
  const char* program;
  std::vector<CLI::App*> (*declare)(CLI::App& app);
};

std::vector<CLI::App*> declareDrawGroup(CLI::App& app) {
  static DrawCommandOptions options;  // only checked here; the group's program reads them
  const DrawCommands commands = declareDrawCommands(app, options, statedDrawChoices());
  return {commands.render, commands.layout, commands.tap, commands.describe, commands.press, commands.gallery};
}

std::vector<CLI::App*> declareWatchGroup(CLI::App& app) {
  static WatchOptions options;  // only checked here, as above
  CLI::App* watch = app.add_subcommand("watch");
  declareWatchOptions(*watch, options);
  return {watch};
}

std::vector<CLI::App*> declareShowGroup(CLI::App& app) {
  static ShowOptions options;  // only checked here, as above
  CLI::App* show = app.add_subcommand("show", "Keep the status widget on the desktop, live");
  declareShowOptions(*show, options);
  return {show};
}

// The routing table: one row per group, in the order the help lists the groups' commands. A new
// group is one row here (its program's name and a function like declareDrawGroup that adds its
// commands with the group's declare...Options functions) and its executable target in
// app/CMakeLists.txt, written to libexec/zuvo-widgets/.
constexpr CommandGroup kCommandGroups[] = {
    {"zuvo-widgets-draw", declareDrawGroup},    // render, layout, tap, describe, press, gallery
    {"zuvo-widgets-watch", declareWatchGroup},  // watch
    {"zuvo-widgets-show", declareShowGroup},    // show
};

// Replaces this process with the group's program, found beside this one as the build tree and an
// installed prefix lay it out (ZUVO_LIBEXEC_FROM_BIN: libexec relative to bin). Returns only when
// it cannot.
int handOver(const char* program, char** argv) {
  const auto directory = host::executableDirectory();
  if (!directory) {
    std::cerr << "error: " << program << ": cannot run: this program's own folder is unknown\n";
    return 1;
  }
  std::string looked;
  for (const char* folder : {"libexec/zuvo-widgets", ZUVO_LIBEXEC_FROM_BIN "/zuvo-widgets"}) {
    const auto path = *directory / folder / program;
    ::execv(path.c_str(), argv);
    if (errno != ENOENT) {
      std::cerr << "error: " << program << ": cannot run " << path.string() << ": " << std::strerror(errno) << "\n";
      return 1;
    }
    looked.append(looked.empty() ? "" : " or ").append(path.parent_path().lexically_normal().string());
  }
  std::cerr << "error: " << program << ": cannot run: not found in " << looked << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  host::CheckedStandardOutput output;
  CLI::App app;
  configureProgram(app);
  StatusCommandOptions statusOptions;
  int exitCode = 0;
  registerStatusCommands(declareStatusCommands(app, statusOptions), statusOptions, exitCode);
  std::vector<std::pair<const CLI::App*, const char*>> routes;
  for (const CommandGroup& group : kCommandGroups)
    for (const CLI::App* command : group.declare(app)) routes.emplace_back(command, group.program);
  std::string completionShell;
  const CLI::App* completion = declareCompletionCommand(app, completionShell);
  if (reportUnknownCommand(app, argc, argv)) return 2;
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return endRun(app, output, endParse(app, error));
  }
  if (completion->parsed()) writeCompletionScript(std::cout, app, completionShell);
  for (const auto& [command, program] : routes)
    if (command->parsed()) {
      // What this process wrote so far (nothing, for a handed-over command) must not be lost.
      if (const int failed = endRun(app, output, 0)) return failed;
      return handOver(program, argv);
    }
  return endRun(app, output, exitCode);
}
