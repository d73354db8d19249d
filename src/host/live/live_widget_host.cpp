#include "host/live/live_widget_host.hpp"

#include <glib-unix.h>
#include <gtk/gtk.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>

#include "host/live/desktop_appearance.hpp"
#include "host/platform/free_memory.hpp"
#include "host/refresh/file_watch.hpp"
#include "host/refresh/reload_timer.hpp"

// After our own headers: Xlib defines macros such as None and Status.
#include <gdk/x11/gdkx.h>

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
    if (content.reloadAt)
      timer_.at(*content.reloadAt);
    else
      timer_.cancel();
    if (!content.view) return;
    view_ = std::move(*content.view);
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

// What the display's loss says; set once the display is open.
std::string displayLostLine;

// Xlib calls this when the connection to the X server breaks, and ends the process if it returns;
// the toolkit's own handler ends it without a word on some paths. Nothing of the process can be
// trusted to clean up now: say why and leave.
int displayLost(Display*) {
  std::fputs(displayLostLine.c_str(), stderr);
  std::fflush(stderr);
  _exit(1);
}

struct BusWatch {
  GApplication* application;
  bool closed = false;
};

// Once the session bus has closed, what the toolkit reports of that loss (a call it still had
// pending there, failing) would bury the one line that says why the widget stops, which is what a
// supervisor reads. The connection is marked closed before any pending call is failed.
std::atomic<GDBusConnection*> sessionBus{nullptr};  // logs may come from GDBus's own thread

GLogWriterOutput writeUnlessBusClosed(GLogLevelFlags level, const GLogField* fields, gsize count, gpointer data) {
  if (GDBusConnection* bus = sessionBus.load(); bus && g_dbus_connection_is_closed(bus)) return G_LOG_WRITER_HANDLED;
  return g_log_writer_default(level, fields, count, data);
}

void busClosed(GDBusConnection*, gboolean, GError*, gpointer data) {
  auto* watch = static_cast<BusWatch*>(data);
  watch->closed = true;
  std::cerr << "error: show: the session bus closed\n";
  g_application_quit(watch->application);
}

// The object path GApplication exports an application id at.
std::string applicationPath(const std::string& applicationId) {
  std::string path = "/" + applicationId;
  std::replace(path.begin(), path.end(), '.', '/');
  std::replace(path.begin(), path.end(), '-', '_');
  return path;
}

}  // namespace

bool openDisplay() {
  if (!gtk_init_check()) return false;
  GdkDisplay* display = gdk_display_get_default();
  if (GDK_IS_X11_DISPLAY(display)) {
    displayLostLine = std::string("error: show: the display ") + gdk_display_get_name(display) + " closed\n";
    XSetIOErrorHandler(&displayLost);
  }
  return true;
}

std::optional<std::string> stopLiveWidget(const std::string& applicationId, std::chrono::milliseconds patience) {
  GError* error = nullptr;
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
  if (!bus) {
    std::string why = std::string("no session bus to reach the widget: ") + error->message;
    g_error_free(error);
    return why;
  }
  // Watched before asking, so that leaving the bus right after the answer is not missed.
  GMainContext* context = g_main_context_new();
  g_main_context_push_thread_default(context);
  struct Wait {
    GMainLoop* loop;
    bool gone = false;
  } wait{g_main_loop_new(context, FALSE)};
  const guint watch = g_bus_watch_name_on_connection(
      bus, applicationId.c_str(), G_BUS_NAME_WATCHER_FLAGS_NONE, nullptr,
      +[](GDBusConnection*, const gchar*, gpointer data) {
        auto* wait = static_cast<Wait*>(data);
        wait->gone = true;
        g_main_loop_quit(wait->loop);
      },
      &wait, nullptr);
  std::optional<std::string> failure;
  GVariant* reply = g_dbus_connection_call_sync(
      bus, applicationId.c_str(), applicationPath(applicationId).c_str(), "org.freedesktop.Application",
      "ActivateAction", g_variant_new("(s@av@a{sv})", "quit", g_variant_new_array(G_VARIANT_TYPE_VARIANT, nullptr, 0),
                                      g_variant_new_array(G_VARIANT_TYPE("{sv}"), nullptr, 0)),
      nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, static_cast<int>(patience.count()), nullptr, &error);
  if (reply) {
    g_variant_unref(reply);
    GSource* timeout = g_timeout_source_new(static_cast<guint>(patience.count()));
    g_source_set_callback(timeout, +[](gpointer loop) { g_main_loop_quit(static_cast<GMainLoop*>(loop)); return G_SOURCE_REMOVE; },
                          wait.loop, nullptr);
    g_source_attach(timeout, context);
    if (!wait.gone) g_main_loop_run(wait.loop);
    g_source_destroy(timeout);
    g_source_unref(timeout);
    if (!wait.gone) failure = "the widget " + applicationId + " was asked to quit but is still running";
  } else if (!g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_SERVICE_UNKNOWN) &&
             !g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_NAME_HAS_NO_OWNER)) {
    failure = "cannot ask the widget " + applicationId + " to quit: " + error->message;
  }
  g_clear_error(&error);
  g_bus_unwatch_name(watch);
  g_main_loop_unref(wait.loop);
  g_main_context_pop_thread_default(context);
  g_main_context_unref(context);
  g_object_unref(bus);
  return failure;
}

int runLiveWidget(const LiveWidgetOptions& options, LoadContent load, LayOutContent layOut, CairoDrawer& drawer) {
  // Without a session bus there is no one to be unique against: run on our own.
  GError* error = nullptr;
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
  g_clear_error(&error);
  const auto flags = bus ? G_APPLICATION_DEFAULT_FLAGS : G_APPLICATION_NON_UNIQUE;

  sessionBus = bus;
  g_log_set_writer_func(&writeUnlessBusClosed, nullptr, nullptr);
  GtkApplication* application = gtk_application_new(options.applicationId.c_str(), flags);
  // GLib would raise SIGTERM when the bus closes, and the widget would leave as if told to.
  BusWatch busWatch{.application = G_APPLICATION(application)};
  gulong busHandler = 0;
  if (bus) {
    g_dbus_connection_set_exit_on_close(bus, FALSE);
    busHandler = g_signal_connect(bus, "closed", G_CALLBACK(&busClosed), &busWatch);
  }
  // `zuvo-widgets show --stop` asks for this over the bus.
  GSimpleAction* quitAction = g_simple_action_new("quit", nullptr);
  g_signal_connect(quitAction, "activate", G_CALLBACK(+[](GSimpleAction*, GVariant*, gpointer app) {
                     g_application_quit(G_APPLICATION(app));
                   }), application);
  g_action_map_add_action(G_ACTION_MAP(application), G_ACTION(quitAction));
  g_object_unref(quitAction);
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
  int status = g_application_run(G_APPLICATION(application), 1, argv);
  g_free(argv[0]);
  if (bus) {
    g_signal_handler_disconnect(bus, busHandler);
    sessionBus = nullptr;
    g_object_unref(bus);
  }
  if (busWatch.closed) status = 1;
  g_source_remove(term);
  g_source_remove(interrupt);
  g_source_remove(hangup);
  g_object_unref(application);
  return status;
}

}  // namespace host
