#pragma once
// Tells when one file may have new content: created, replaced by a rename, moved in or out,
// rewritten (at the close that ends the write) or deleted, and whenever the way to it changes.
//
// Every level of the path is watched, as service managers watch a path: a kernel watch (inotify)
// on each existing directory from the root down, for the entry in it that leads on, with symbolic
// links followed to their targets. The kernel's events are read as they come: a monitor that
// batches them (GIO's waits up to 100 ms after a burst, and looks for a vanished folder only every
// 4 s) would delay exactly the rename that follows the writing of a temporary file. When any level is created, removed, renamed or
// relinked, or a directory on the way is replaced by another of the same name, the levels are
// walked again and the monitors re-armed from the first level that changed; the file is then read,
// since it may have come with its folder. So no rename, deletion or link on the way leaves the
// reader on an old file, and nothing polls.
//
// The first event of a burst that leaves a whole document (a rename onto the file, the close after
// a write, a deletion, a change of the way) is answered at once; what follows within `debounce` of
// each other is answered by one more call at the end of the burst. Plain "changed" events are
// ignored: they fire while the writer is still writing.
//
// Events are delivered on the thread-default GLib main context of the thread that made the watch;
// `onChange` runs there. Not copyable or movable: its sources hold a pointer to it.
#include <glib.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <vector>

#include "host/refresh/refresh_rules.hpp"

namespace host {

class FileWatch {
 public:
  FileWatch(std::filesystem::path file, std::function<void()> onChange,
            std::chrono::milliseconds debounce = std::chrono::milliseconds(100));
  ~FileWatch();
  FileWatch(const FileWatch&) = delete;
  FileWatch& operator=(const FileWatch&) = delete;

  // The levels watched right now, from the root down (for tests and diagnostics).
  std::vector<WatchLevel> levels() const;

 private:
  struct Armed {
    WatchLevel level;
    dev_t device = 0;  // which directory was watched: one made anew under the same name is another
    ino_t inode = 0;
    int descriptor = -1;  // the kernel's watch; levels in one directory share it
  };

  static gboolean onEvents(gint fd, GIOCondition, gpointer self);
  void notice(bool readNow);
  static gboolean onSettled(gpointer self);
  bool follow();
  bool rearm();
  void disarmFrom(std::size_t level);
  void clearSource(GSource*& source);

  std::filesystem::path file_;
  std::function<void()> onChange_;
  std::chrono::milliseconds debounce_;
  GMainContext* context_ = nullptr;
  int inotify_ = -1;
  GSource* events_ = nullptr;
  std::vector<Armed> armed_;
  GSource* settled_ = nullptr;  // ends the burst
  bool readPending_ = false;  // a change in the burst not yet answered
  std::chrono::steady_clock::time_point burstStart_{};
};

}  // namespace host
