#include "host/refresh/reload_timer.hpp"

#include "host/refresh/refresh_rules.hpp"

namespace host {

ReloadTimer::ReloadTimer(std::function<void()> onDue, Clock clock)
    : onDue_(std::move(onDue)), clock_(std::move(clock)), context_(g_main_context_ref_thread_default()) {}

ReloadTimer::~ReloadTimer() {
  cancel();
  g_main_context_unref(context_);
}

void ReloadTimer::at(Instant when) {
  cancel();
  when_ = when;
  arm();
}

void ReloadTimer::cancel() {
  if (!source_) return;
  g_source_destroy(source_);
  g_source_unref(source_);
  source_ = nullptr;
}

void ReloadTimer::arm() {
  source_ = g_timeout_source_new(static_cast<guint>(delayUntil(clock_(), when_).count()));
  g_source_set_callback(source_, &ReloadTimer::onTimeout, this, nullptr);
  g_source_attach(source_, context_);
}

gboolean ReloadTimer::onTimeout(gpointer self) {
  auto* timer = static_cast<ReloadTimer*>(self);
  g_source_unref(timer->source_);
  timer->source_ = nullptr;
  if (delayUntil(timer->clock_(), timer->when_).count() > 0) {
    timer->arm();  // woke early, or one piece of a long wait
  } else {
    timer->onDue_();  // may schedule again or destroy the timer: nothing follows
  }
  return G_SOURCE_REMOVE;
}

}  // namespace host
