#include "host/refresh/file_watch.hpp"

#include <glib-unix.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace host {
namespace {

namespace fs = std::filesystem;

PathEntry inspect(const fs::path& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return {};
  if (S_ISDIR(status.st_mode)) return {.kind = PathEntry::Kind::directory};
  if (!S_ISLNK(status.st_mode)) return {.kind = PathEntry::Kind::other};
  std::error_code error;
  fs::path target = fs::read_symlink(path, error);
  if (error) return {};  // gone or replaced since: its event walks the path again
  return {.kind = PathEntry::Kind::symbolicLink, .linkTarget = std::move(target)};
}

}  // namespace

FileWatch::FileWatch(fs::path file, std::function<void()> onChange, std::chrono::milliseconds debounce)
    : onChange_(std::move(onChange)), debounce_(debounce), context_(g_main_context_ref_thread_default()) {
  std::error_code error;
  file_ = fs::absolute(file, error).lexically_normal();
  if (error) file_ = file.lexically_normal();
  // Without inotify (no instances left) there are no events; the caller still has its first
  // reading and its timers.
  inotify_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (inotify_ < 0) return;
  events_ = g_unix_fd_source_new(inotify_, G_IO_IN);
  g_source_set_priority(events_, G_PRIORITY_HIGH);
  g_source_set_callback(events_, G_SOURCE_FUNC(&FileWatch::onEvents), this, nullptr);
  g_source_attach(events_, context_);
  follow();
}

FileWatch::~FileWatch() {
  clearSource(events_);
  clearSource(settled_);
  if (inotify_ >= 0) ::close(inotify_);  // drops every watch
  g_main_context_unref(context_);
}

std::vector<WatchLevel> FileWatch::levels() const {
  std::vector<WatchLevel> levels;
  for (const Armed& armed : armed_) levels.push_back(armed.level);
  return levels;
}

void FileWatch::clearSource(GSource*& source) {
  if (!source) return;
  g_source_destroy(source);
  g_source_unref(source);
  source = nullptr;
}

// Walks the path again and re-arms from the first level that is not what is watched: another
// entry, another directory, or the same directory name standing for a directory made anew. Then
// walks once more, until the walk finds what is watched: an entry made between a walk and the
// watch on its folder sends no event. Whether anything changed.
bool FileWatch::follow() {
  // A path that changes on every walk is left to the events of the last one.
  constexpr int kMostWalks = 16;
  bool changed = false;
  for (int walk = 0; inotify_ >= 0 && walk < kMostWalks && rearm(); ++walk) changed = true;
  return changed;
}

bool FileWatch::rearm() {
  const std::vector<WatchLevel> levels = watchLevels(file_, inspect);
  const auto same = [](const Armed& armed, const WatchLevel& level) {
    struct stat status {};
    return armed.level == level && ::stat(level.directory.c_str(), &status) == 0 &&
           status.st_dev == armed.device && status.st_ino == armed.inode;
  };
  std::size_t first = 0;
  while (first < armed_.size() && first < levels.size() && same(armed_[first], levels[first])) ++first;
  if (first == armed_.size() && first == levels.size()) return false;
  disarmFrom(first);
  for (std::size_t i = first; i < levels.size(); ++i) {
    Armed armed{.level = levels[i]};
    struct stat status {};
    if (::stat(levels[i].directory.c_str(), &status) == 0) {
      armed.device = status.st_dev;
      armed.inode = status.st_ino;
    }
    // Added to what the directory is already watched for, when another level lies in it too. A
    // directory that cannot be watched (no permission, too many watches) leaves that level silent.
    armed.descriptor = ::inotify_add_watch(inotify_, levels[i].directory.c_str(),
                                           levelEvents(i + 1 == levels.size()) | IN_MASK_ADD);
    armed_.push_back(std::move(armed));
  }
  return true;
}

void FileWatch::disarmFrom(std::size_t level) {
  for (std::size_t i = level; i < armed_.size(); ++i) {
    const int descriptor = armed_[i].descriptor;
    const auto shared = [&](const Armed& other) { return &other != &armed_[i] && other.descriptor == descriptor; };
    if (descriptor >= 0 && std::none_of(armed_.begin(), armed_.begin() + static_cast<std::ptrdiff_t>(level), shared) &&
        std::none_of(armed_.begin() + static_cast<std::ptrdiff_t>(i) + 1, armed_.end(), shared))
      ::inotify_rm_watch(inotify_, descriptor);
  }
  armed_.resize(std::min(level, armed_.size()));
}

gboolean FileWatch::onEvents(gint fd, GIOCondition, gpointer self) {
  auto* watch = static_cast<FileWatch*>(self);
  alignas(inotify_event) char buffer[16 * 1024];
  bool seen = false, readNow = false;
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
    for (char* at = buffer; at < buffer + n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      at += sizeof(inotify_event) + event->len;
      const std::string_view name = event->len ? std::string_view(event->name) : std::string_view();
      if (event->mask & IN_Q_OVERFLOW) {  // events were lost: anything may have changed
        seen = readNow = true;
        continue;
      }
      for (const Armed& armed : watch->armed_) {
        if (armed.descriptor != event->wd) continue;
        const EventMeaning meaning = eventMeaning(event->mask, name, armed.level.entry);
        seen |= meaning != EventMeaning::unrelated;
        readNow |= meaning == EventMeaning::readNow;
      }
    }
  }
  if (seen) watch->notice(readNow);
  return G_SOURCE_CONTINUE;
}

// The first event of a burst that leaves a whole document, or changes the way, is answered at
// once; the rest of the burst by one call when it settles.
void FileWatch::notice(bool readNow) {
  const bool moved = follow();  // armed before the caller reads: nothing written after goes unseen
  const auto now = std::chrono::steady_clock::now();
  const bool answerNow = !settled_ && (readNow || moved);
  if (!settled_) burstStart_ = now;
  readPending_ = !answerNow;
  clearSource(settled_);
  settled_ = g_timeout_source_new(static_cast<guint>(debounceDelay(burstStart_, now, debounce_).count()));
  g_source_set_callback(settled_, &FileWatch::onSettled, this, nullptr);
  g_source_attach(settled_, context_);
  if (answerNow) onChange_();
}

gboolean FileWatch::onSettled(gpointer self) {
  auto* watch = static_cast<FileWatch*>(self);
  g_source_unref(watch->settled_);
  watch->settled_ = nullptr;
  if (watch->readPending_) {
    watch->readPending_ = false;
    watch->follow();
    watch->onChange_();
  }
  return G_SOURCE_REMOVE;
}

}  // namespace host
