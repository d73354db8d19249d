#include "host/live/live_widget_host.hpp"

#include <glib-unix.h>
#include <gtk/gtk.h>

#include <csignal>
#include <iostream>
#include <memory>

#include "host/live/desktop_appearance.hpp"
#include "host/platform/free_memory.hpp"
#include "host/refresh/file_watch.hpp"
#include "host/refresh/reload_timer.hpp"

namespace host {

namespace {

// Everything that lives while the window does, created on the application's first activation.
class LiveWidget {
 public:
  LiveWidget(GtkApplication* application, const LiveWidgetOptions& options, LoadContent load,
             LayOutContent layOut, CairoDrawer& drawer)
      : options_(options), load_(std::move(load)), layOut_(std::move(layOut)),
        window_(application, options.window, drawer), timer_([this] { reload(); }) {
    if (!options_.appearance)
      desktop_ = std::make_unique<DesktopAppearance>([this](const Appearance&) { redraw(); });
    // Watching before the first load: a change made while it reads is not lost.
    if (options_.watchedFile) watch_ = std::make_unique<FileWatch>(*options_.watchedFile, [this] { reload(); });
    reload();
    window_.present();
  }

  void reload() {
    if (options_.window.trace) traceEvent("reload");
    LiveContent content = load_();
    view_ = std::move(content.view);
    if (content.reloadAt)
      timer_.at(*content.reloadAt);
    else
      timer_.cancel();
    redraw();
    giveBackFreeMemory();  // what a large document held, once its tree is replaced
  }

 private:
  Appearance appearance() const { return options_.appearance ? *options_.appearance : desktop_->current(); }
  void redraw() {
    const Appearance now = appearance();
    window_.show(layOut_(view_, now), now);
  }

  const LiveWidgetOptions& options_;
  LoadContent load_;
  LayOutContent layOut_;
  std::unique_ptr<DesktopAppearance> desktop_;
  LiveWindow window_;
  ReloadTimer timer_;
  std::unique_ptr<FileWatch> watch_;
  View view_;
};

struct Run {
  const LiveWidgetOptions& options;
  LoadContent load;
  LayOutContent layOut;
  CairoDrawer& drawer;
  std::unique_ptr<LiveWidget> widget{};
};

void activate(GApplication* application, gpointer data) {
  auto* run = static_cast<Run*>(data);
  if (run->widget) return;  // started again: the window stays where it is, below the others
  run->widget = std::make_unique<LiveWidget>(GTK_APPLICATION(application), run->options, run->load, run->layOut,
                                             run->drawer);
  g_application_release(application);  // the window holds the application from now on
}

void shutdown(GApplication*, gpointer data) { static_cast<Run*>(data)->widget.reset(); }

gboolean quit(gpointer application) {
  g_application_quit(G_APPLICATION(application));
  return G_SOURCE_CONTINUE;
}

}  // namespace

bool openDisplay() { return gtk_init_check(); }

int runLiveWidget(const LiveWidgetOptions& options, LoadContent load, LayOutContent layOut, CairoDrawer& drawer) {
  // Without a session bus there is no one to be unique against: run on our own.
  GError* error = nullptr;
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
  g_clear_error(&error);
  const auto flags = bus ? G_APPLICATION_DEFAULT_FLAGS : G_APPLICATION_NON_UNIQUE;
  if (bus) g_object_unref(bus);

  GtkApplication* application = gtk_application_new(options.applicationId.c_str(), flags);
  Run run{.options = options, .load = std::move(load), .layOut = std::move(layOut), .drawer = drawer};
  g_signal_connect(application, "activate", G_CALLBACK(&activate), &run);
  g_signal_connect(application, "shutdown", G_CALLBACK(&shutdown), &run);
  // Until the window holds the primary instance, this does; a second instance hands its activation
  // to the first and ends, so it must hold nothing.
  g_signal_connect(application, "startup", G_CALLBACK(+[](GApplication* app, gpointer) { g_application_hold(app); }),
                   nullptr);
  const guint term = g_unix_signal_add(SIGTERM, &quit, application);
  const guint interrupt = g_unix_signal_add(SIGINT, &quit, application);
  const guint hangup = g_unix_signal_add(SIGHUP, &quit, application);
  char* argv[] = {g_strdup(g_get_prgname() ? g_get_prgname() : "widget"), nullptr};
  const int status = g_application_run(G_APPLICATION(application), 1, argv);
  g_free(argv[0]);
  g_source_remove(term);
  g_source_remove(interrupt);
  g_source_remove(hangup);
  g_object_unref(application);
  return status;
}

}  // namespace host
