#pragma once
// Calls back once at a moment on the wall clock. One GLib timeout at most: nothing scheduled
// means no timer at all. Long waits are cut into pieces of at most kLongestWait, each ending with
// a fresh look at the clock, so a suspend or a clock change does not make it late by hours.
//
// Runs on the thread-default GLib main context of the thread that made it; `onDue` runs there.
// Not copyable or movable: the timeout holds a pointer to it.
#include <glib.h>

#include <functional>

#include "host/platform/clock.hpp"

namespace host {

class ReloadTimer {
 public:
  explicit ReloadTimer(std::function<void()> onDue, Clock clock = systemClock());
  ~ReloadTimer();
  ReloadTimer(const ReloadTimer&) = delete;
  ReloadTimer& operator=(const ReloadTimer&) = delete;

  // Calls `onDue` once `when` has come (at once, from the main loop, when it is already past),
  // replacing any earlier schedule.
  void at(Instant when);
  void cancel();
  bool scheduled() const { return source_ != nullptr; }

 private:
  static gboolean onTimeout(gpointer self);
  void arm();

  std::function<void()> onDue_;
  Clock clock_;
  GMainContext* context_ = nullptr;
  GSource* source_ = nullptr;
  Instant when_{};
};

}  // namespace host
