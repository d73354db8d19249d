#include "host/refresh/file_watch.hpp"

#include <system_error>

namespace host {
namespace {

std::string baseName(GFile* file) {
  if (!file) return {};
  char* name = g_file_get_basename(file);
  std::string result = name ? name : "";
  g_free(name);
  return result;
}

bool isDirectory(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

}  // namespace

FileWatch::FileWatch(std::filesystem::path file, std::function<void()> onChange, std::chrono::milliseconds debounce)
    : onChange_(std::move(onChange)), debounce_(debounce), context_(g_main_context_ref_thread_default()) {
  std::error_code error;
  file_ = std::filesystem::absolute(file, error).lexically_normal();
  if (error) file_ = file.lexically_normal();
  arm();
}

FileWatch::~FileWatch() {
  disarm();
  if (pending_) {
    g_source_destroy(pending_);
    g_source_unref(pending_);
  }
  g_main_context_unref(context_);
}

void FileWatch::arm() {
  target_ = watchTarget(file_, isDirectory);
  directory_ = g_file_new_for_path(target_.directory.c_str());
  // A folder that cannot be watched (no permission, too many watches) leaves the watch without
  // events; the caller still has its first reading and its timers.
  monitor_ = g_file_monitor_directory(directory_, G_FILE_MONITOR_WATCH_MOVES, nullptr, nullptr);
  if (monitor_) g_signal_connect(monitor_, "changed", G_CALLBACK(&FileWatch::onEvent), this);
}

void FileWatch::disarm() {
  if (monitor_) {
    g_signal_handlers_disconnect_by_data(monitor_, this);
    g_file_monitor_cancel(monitor_);
    g_object_unref(monitor_);
    monitor_ = nullptr;
  }
  if (directory_) {
    g_object_unref(directory_);
    directory_ = nullptr;
  }
}

void FileWatch::onEvent(GFileMonitor*, GFile* file, GFile* other, GFileMonitorEvent event, gpointer self) {
  auto* watch = static_cast<FileWatch*>(self);
  // The watched folder itself going away (or being moved) sends the watch back up the path.
  const bool aboutFolder = file && g_file_equal(file, watch->directory_);
  if (aboutFolder || eventConcernsName(event, baseName(file), baseName(other), watch->target_.entry))
    watch->noteEvent();
}

void FileWatch::noteEvent() {
  const auto now = std::chrono::steady_clock::now();
  if (pending_) {
    g_source_destroy(pending_);
    g_source_unref(pending_);
  } else {
    burstStart_ = now;
  }
  const auto delay = debounceDelay(burstStart_, now, debounce_);
  pending_ = g_timeout_source_new(static_cast<guint>(delay.count()));
  g_source_set_callback(pending_, &FileWatch::onSettled, this, nullptr);
  g_source_attach(pending_, context_);
}

gboolean FileWatch::onSettled(gpointer self) {
  auto* watch = static_cast<FileWatch*>(self);
  g_source_unref(watch->pending_);
  watch->pending_ = nullptr;
  // Folders on the way may have appeared or gone: watch where the path now leads. The monitor is
  // armed before the caller reads, so nothing written after the reading goes unseen.
  if (watchTarget(watch->file_, isDirectory) != watch->target_) {
    watch->disarm();
    watch->arm();
  }
  watch->onChange_();
  return G_SOURCE_REMOVE;
}

}  // namespace host
