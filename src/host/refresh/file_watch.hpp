#pragma once
// Tells when one file may have new content: created, replaced by a rename, moved in or out,
// rewritten (at the close that ends the write) or deleted. A monitor on the file's directory,
// watching moves; a burst of events gives one call, `debounce` after the last of them. Plain
// "changed" events are ignored: they fire while the writer is still writing.
//
// When the file's folder does not exist yet, the nearest existing ancestor is watched instead and
// the watch moves down as the folders appear (and back up when they go); each move also counts as
// a change, since the file may have come with its folder.
//
// Events are delivered on the thread-default GLib main context of the thread that made the watch;
// `onChange` runs there. Not copyable or movable: the monitor holds a pointer to it.
#include <gio/gio.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "host/refresh/refresh_rules.hpp"

namespace host {

class FileWatch {
 public:
  FileWatch(std::filesystem::path file, std::function<void()> onChange,
            std::chrono::milliseconds debounce = std::chrono::milliseconds(100));
  ~FileWatch();
  FileWatch(const FileWatch&) = delete;
  FileWatch& operator=(const FileWatch&) = delete;

  // What is watched right now (for tests and diagnostics).
  const WatchTarget& target() const { return target_; }

 private:
  static void onEvent(GFileMonitor* monitor, GFile* file, GFile* other, GFileMonitorEvent event, gpointer self);
  static gboolean onSettled(gpointer self);
  void arm();
  void disarm();
  void noteEvent();

  std::filesystem::path file_;
  std::function<void()> onChange_;
  std::chrono::milliseconds debounce_;
  GMainContext* context_ = nullptr;
  WatchTarget target_;
  GFile* directory_ = nullptr;
  GFileMonitor* monitor_ = nullptr;
  GSource* pending_ = nullptr;
  std::chrono::steady_clock::time_point burstStart_{};
};

}  // namespace host
