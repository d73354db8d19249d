// Subcommands for the status spine: checking a status file as the extension would read it, and
// asking the timeline provider for its three answers. The router runs them in its own process.
#include <unistd.h>

#include <iostream>
#include <string>

#include "document/status_decoder.hpp"
#include "document/status_encoder.hpp"
#include "document/status_store.hpp"
#include "host/platform/whole_file_read.hpp"
#include "status_commands.hpp"
#include "timeline/status_provider.hpp"
#include "timeline/timeline_encoder.hpp"

namespace {

std::string refusalMessage(host::ReadRefusal refusal) {
  switch (refusal) {
    case host::ReadRefusal::notRegularFile: return "not a regular file";
    case host::ReadRefusal::tooLarge: return "larger than 16 MiB, the widget would show the empty status";
    case host::ReadRefusal::cannotOpen:
    case host::ReadRefusal::unreadable: break;
  }
  return "cannot read";
}

// Reads as the widget does: the same guarded read and the same size bound, standard input included.
// Unlike the extension, which stays silent, the check tells a writer where and why it failed.
int check(const std::string& source) {
  static_assert(zuvo::StatusStore::kMaxFileSize == std::size_t{16} << 20, "the messages say 16 MiB");
  const bool standardInput = source == "-";
  host::ReadRefusal refusal{};
  const auto file = standardInput
                        ? host::readBoundedStream(STDIN_FILENO, zuvo::StatusStore::kMaxFileSize, zuvo::kDecodePadding, &refusal)
                        : host::readWholeRegularFile(source, zuvo::StatusStore::kMaxFileSize, zuvo::kDecodePadding, &refusal);
  if (!file) {
    std::cerr << "error: " << (standardInput ? "standard input" : source) << ": " << refusalMessage(refusal) << "\n";
    return 1;
  }
  const auto result = zuvo::decodeStatus(file->bytes(), file->buffer.size());
  if (!result.status) {
    std::cerr << "error: " << result.error.where << ": " << result.error.why << "\n";
    return 1;
  }
  std::cout << zuvo::encodeStatus(*result.status) << "\n";
  return 0;
}

}  // namespace

void registerStatusCommands(const StatusCommands& commands, const StatusCommandOptions& options, int& exitCode) {
  commands.check->callback([&] { exitCode = check(options.checkFile); });
  commands.placeholder->callback(
      [] { std::cout << zuvo::encodeEntry(zuvo::StatusProvider().placeholder({})) << "\n"; });
  commands.snapshot->callback([&] {
    zuvo::StatusProvider().getSnapshot({.isPreview = options.snapshotPreview},
                                       [](zuvo::StatusEntry entry) { std::cout << zuvo::encodeEntry(entry) << "\n"; });
  });
  commands.timeline->callback([&] {
    zuvo::StatusProvider().getTimeline({.isPreview = options.timelinePreview},
                                       [](host::Timeline<zuvo::StatusEntry> timeline) {
                                         std::cout << zuvo::encodeTimeline(timeline) << "\n";
                                       });
  });
}
