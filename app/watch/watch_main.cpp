// zuvo-widgets-watch: the `watch` command as its own program, so that the stream for status bars
// loads GIO, ICU and the catalogs but no drawing or text-layout library.
//
// One line at start, then one line whenever the answer changes: the status file is created,
// replaced, rewritten or deleted (a debounced folder watch), the timeline's reload moment comes,
// or an agent window resets. Between those the process sleeps in the main loop: no polling.
#include <fcntl.h>
#include <glib-unix.h>
#include <limits.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>

#include "document/status_store.hpp"
#include "host/locale/locale_environment.hpp"
#include "host/platform/clock.hpp"
#include "host/refresh/file_watch.hpp"
#include "shared/program_resources.hpp"
#include "host/refresh/reload_timer.hpp"
#include "timeline/status_reading.hpp"
#include "watch_answer.hpp"
#include "shared/watch_options.hpp"

namespace {

WatchFormat formatNamed(const std::string& name) {
  if (name == "waybar") return WatchFormat::waybar;
  if (name == "text") return WatchFormat::text;
  return WatchFormat::json;
}

class StatusWatch {
 public:
  StatusWatch(const WatchOptions& options, GMainLoop* loop)
      : format_(formatNamed(options.format)),
        reading_(options.statusFile.empty()
                     ? zuvo::StatusProvider()
                     : zuvo::StatusProvider(host::systemClock(), zuvo::StatusStore::file(options.statusFile))),
        strings_(programStringCatalog()),
        loop_(loop),
        timer_([this] { refresh(); }) {
    // Where the status file will be, whether or not the container exists yet; without a data folder
    // there is nothing to watch and the timers alone run.
    const auto file = reading_.watchedPath();
    if (file) watch_ = std::make_unique<host::FileWatch>(*file, [this] { refresh(); });
  }

  ~StatusWatch() {
    if (outputReady_) g_source_remove(outputReady_);
  }

  int exitCode() const { return exitCode_; }

  // On the way out: the rest of a line already begun, given up to `patience` to find room, so
  // that a slow reader never ends on part of a line.
  void finishLine(std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!unsent_.empty() && exitCode_ == 0) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      pollfd output{STDOUT_FILENO, POLLOUT, 0};
      if (left.count() <= 0 || ::poll(&output, 1, static_cast<int>(left.count())) == 0) return;
      if (output.revents & (POLLERR | POLLHUP | POLLNVAL)) return;
      const ssize_t n = ::write(STDOUT_FILENO, unsent_.data(), std::min<std::size_t>(unsent_.size(), PIPE_BUF));
      if (n < 0 && errno != EINTR && errno != EAGAIN) return;
      if (n > 0) unsent_.erase(0, static_cast<std::size_t>(n));
    }
  }

  void refresh() {
    const auto look = reading_.read();
    auto answer = watchAnswer(format_, look.entry, look.readAt, *strings_);
    if (answer.key != lastKey_) {
      if (!print(answer.line)) return;
      lastKey_ = std::move(answer.key);
    }
    timer_.at(look.lookAgainAt);
  }

 private:

  // Lines go out whole and in order, but never block the loop: a reader that stops reading holds
  // back only the output (signals still end the process), and while it does, a newer answer
  // replaces a line that has not begun. A reader that went away ends the stream quietly, any other
  // failure to write ends it with an error.
  bool print(const std::string& text) {
    next_ = text + "\n";
    return flush();
  }

  bool flush() {
    while (!unsent_.empty() || next_) {
      if (unsent_.empty()) {
        unsent_ = std::move(*next_);
        next_.reset();
      }
      pollfd output{STDOUT_FILENO, POLLOUT, 0};
      int ready;
      while ((ready = ::poll(&output, 1, 0)) < 0 && errno == EINTR) {
      }
      if (ready == 0) {  // full: go on when there is room
        if (!outputReady_)
          outputReady_ = g_unix_fd_add(STDOUT_FILENO, G_IO_OUT, [](gint, GIOCondition, gpointer self) {
            auto* watch = static_cast<StatusWatch*>(self);
            watch->outputReady_ = 0;
            watch->flush();
            return G_SOURCE_REMOVE;
          }, this);
        return true;
      }
      // Room shown by poll takes a write of up to PIPE_BUF bytes without blocking.
      const ssize_t n = ::write(STDOUT_FILENO, unsent_.data(), std::min<std::size_t>(unsent_.size(), PIPE_BUF));
      if (n >= 0) {
        unsent_.erase(0, static_cast<std::size_t>(n));
      } else if (errno != EINTR && errno != EAGAIN) {
        if (errno != EPIPE) {
          std::cerr << "error: watch: cannot write the output: " << std::strerror(errno) << "\n";
          exitCode_ = 1;
        }
        g_main_loop_quit(loop_);
        return false;
      }
    }
    return true;
  }

  WatchFormat format_;
  zuvo::StatusReading reading_;  // a named file follows the provider's rules too
  std::unique_ptr<host::StringCatalog> strings_;
  GMainLoop* loop_;
  host::ReloadTimer timer_;
  std::unique_ptr<host::FileWatch> watch_;
  std::string lastKey_;
  std::string unsent_;               // the rest of the line being written
  std::optional<std::string> next_;  // the newest line, not yet begun
  guint outputReady_ = 0;
  int exitCode_ = 0;
};

gboolean quit(gpointer loop) {
  g_main_loop_quit(static_cast<GMainLoop*>(loop));
  return G_SOURCE_REMOVE;
}

// A closed standard stream would let the next file opened (the monitor's, the loop's) take its
// number, and the lines would go there. Each closed one gets /dev/null; a closed output is an error.
bool standardStreamsOpen() {
  bool outputOpen = true;
  for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(fd, F_GETFD) != -1) continue;
    if (fd == STDOUT_FILENO) outputOpen = false;
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0 && null != fd) ::close(null);  // only reached when a lower number was free
  }
  return outputOpen;
}

int runWatch(const WatchOptions& options) {
  if (!standardStreamsOpen()) {
    std::cerr << "error: watch: cannot write the output: it is closed\n";
    return 1;
  }
  host::overrideLocale(options.locale);
  // The status file is local: no desktop VFS module (gvfs talks D-Bus) for a status-bar helper.
  g_setenv("GIO_USE_VFS", "local", TRUE);
  std::signal(SIGPIPE, SIG_IGN);  // a reader that goes away shows as EPIPE
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  int exitCode = 0;
  {
    StatusWatch watch(options, loop);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) g_unix_signal_add(signal, quit, loop);
    // The reader closing its end of a pipe shows on our end as an error: leave at once, without
    // waiting for the next line to fail.
    g_unix_fd_add(STDOUT_FILENO, static_cast<GIOCondition>(G_IO_ERR | G_IO_HUP),
                  [](gint, GIOCondition, gpointer loop) { return quit(loop); }, loop);
    watch.refresh();
    if (watch.exitCode() == 0) g_main_loop_run(loop);
    watch.finishLine(std::chrono::seconds(1));
    exitCode = watch.exitCode();
  }
  g_main_loop_unref(loop);
  return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  // Before GLib reads a locale name: it aborts on one that is not UTF-8.
  host::dropImplausibleLocaleVariables();
  CLI::App app("zuvo-widgets watch: the status as a stream", "zuvo-widgets");
  app.require_subcommand(1);
  WatchOptions options;
  declareWatchOptions(*app.add_subcommand("watch"), options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? 0 : 2;
  }
  return runWatch(options);
}
