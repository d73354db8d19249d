// Subcommands for the status spine: checking a status file as the extension would read it, and
// asking the timeline provider for its three answers.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "commands.hpp"
#include "document/status_decoder.hpp"
#include "document/status_encoder.hpp"
#include "timeline/status_provider.hpp"
#include "timeline/timeline_encoder.hpp"

namespace {

bool readInput(const std::string& source, std::string& out) {
  if (source == "-") {
    out.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return !std::cin.bad();
  }
  std::error_code error;
  if (std::filesystem::is_directory(source, error)) return false;  // opens, but reads as nothing
  std::ifstream file(source, std::ios::binary);
  if (!file) return false;
  std::ostringstream content;
  content << file.rdbuf();
  out = content.str();
  return !file.bad();
}

// Unlike the extension, which stays silent, the check tells a writer where and why it failed.
int check(const std::string& source) {
  std::string bytes;
  if (!readInput(source, bytes)) {
    std::cerr << "error: " << source << ": cannot read\n";
    return 1;
  }
  const auto result = zuvo::decodeStatus(bytes);
  if (!result.status) {
    std::cerr << "error: " << result.error.where << ": " << result.error.why << "\n";
    return 1;
  }
  std::cout << zuvo::encodeStatus(*result.status) << "\n";
  return 0;
}

}  // namespace

void registerStatusCommands(CLI::App& app, int& exitCode) {
  auto* checkCommand = app.add_subcommand(
      "check", "Decode a status file strictly; print its compact encoding, or where and why it fails");
  auto source = std::make_shared<std::string>("-");
  checkCommand->add_option("file", *source, "Status file to check, or - for standard input (the default)");
  checkCommand->callback([source, &exitCode] { exitCode = check(*source); });

  auto* placeholderCommand =
      app.add_subcommand("placeholder", "Print the provider's placeholder entry (the sample status)");
  placeholderCommand->callback([] { std::cout << zuvo::encodeEntry(zuvo::StatusProvider().placeholder({})) << "\n"; });

  auto* snapshotCommand = app.add_subcommand(
      "snapshot", "Print the provider's snapshot entry, read from the status file of the shared container");
  auto snapshotPreview = std::make_shared<bool>(false);
  snapshotCommand->add_flag("--preview", *snapshotPreview, "Ask as the gallery preview does (gives the sample)");
  snapshotCommand->callback([snapshotPreview] {
    zuvo::StatusProvider().getSnapshot({.isPreview = *snapshotPreview},
                                       [](zuvo::StatusEntry entry) { std::cout << zuvo::encodeEntry(entry) << "\n"; });
  });

  auto* timelineCommand = app.add_subcommand(
      "timeline", "Print the provider's timeline: one entry from the status file and the reload moment");
  auto timelinePreview = std::make_shared<bool>(false);
  timelineCommand->add_flag("--preview", *timelinePreview, "Ask in a preview context (still reads the file)");
  timelineCommand->callback([timelinePreview] {
    zuvo::StatusProvider().getTimeline({.isPreview = *timelinePreview}, [](host::Timeline<zuvo::StatusEntry> timeline) {
      std::cout << zuvo::encodeTimeline(timeline) << "\n";
    });
  });
}
