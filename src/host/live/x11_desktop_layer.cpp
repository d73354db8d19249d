#include "host/live/x11_desktop_layer.hpp"

#include <gdk/x11/gdkx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cmath>
#include <optional>
#include <vector>

namespace host {

namespace {

// How often and how long to look for the window manager taking the window over, and for the state
// to show afterwards. Only while starting; the window idles with no timer afterwards.
constexpr guint kTickMs = 50;
constexpr int kManageTicks = 100;   // 5 s
constexpr int kSettleTicks = 6;     // 300 ms after the request

Display* displayOf(GtkWindow* window) {
  return gdk_x11_display_get_xdisplay(gtk_widget_get_display(GTK_WIDGET(window)));
}
Window xidOf(GtkWindow* window) {
  GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(window));
  return surface ? gdk_x11_surface_get_xid(surface) : None;
}
Atom atom(Display* display, const char* name) { return XInternAtom(display, name, False); }

// A window property of 32-bit items (Xlib hands them over as longs); none when the window lacks it
// or it has another type or format.
std::optional<std::vector<unsigned long>> property(Display* display, Window window, Atom name, Atom type,
                                                   long items) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::optional<std::vector<unsigned long>> values;
  if (XGetWindowProperty(display, window, name, 0, items, False, type, &actualType, &format, &count, &after,
                         &data) == Success &&
      data && actualType == type && format == 32) {
    const auto* items32 = reinterpret_cast<const unsigned long*>(data);
    values.emplace(items32, items32 + count);
  }
  if (data) XFree(data);
  return values;
}

void sendWmMessage(Display* display, Window window, Atom type, long a, long b, long c) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = type;
  event.xclient.format = 32;
  event.xclient.data.l[0] = a;
  event.xclient.data.l[1] = b;
  event.xclient.data.l[2] = c;
  event.xclient.data.l[3] = 1;  // from a normal application
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace

X11DesktopLayer::X11DesktopLayer(GtkWindow* window, Point origin) : window_(window), origin_(origin) {
  mapHandler_ = g_signal_connect(window_, "map", G_CALLBACK(&mapped), this);
}

X11DesktopLayer::~X11DesktopLayer() {
  if (timer_) g_source_remove(timer_);
  g_signal_handler_disconnect(window_, mapHandler_);
}

void X11DesktopLayer::mapped(GtkWidget*, gpointer data) {
  auto* self = static_cast<X11DesktopLayer*>(data);
  GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(self->window_));
  gdk_x11_surface_set_skip_taskbar_hint(surface, TRUE);
  gdk_x11_surface_set_skip_pager_hint(surface, TRUE);
  self->moveTo(self->origin_);
  self->ticks_ = 0;
  if (!self->timer_) self->timer_ = g_timeout_add(kTickMs, &poll, self);
}

void X11DesktopLayer::moveTo(Point origin) {
  origin_ = origin;
  const Window xid = xidOf(window_);
  if (xid == None) return;
  // X11 positions are in device pixels.
  const int scale = gdk_surface_get_scale_factor(gtk_native_get_surface(GTK_NATIVE(window_)));
  XMoveWindow(displayOf(window_), xid, static_cast<int>(std::lround(origin.x * scale)),
              static_cast<int>(std::lround(origin.y * scale)));
  XFlush(displayOf(window_));
}

// A window manager marks a window it manages with WM_STATE.
bool X11DesktopLayer::managed() const {
  Display* display = displayOf(window_);
  const Atom wmState = atom(display, "WM_STATE");
  const auto state = property(display, xidOf(window_), wmState, wmState, 2);
  return state && !state->empty();
}

bool X11DesktopLayer::stateTaken() const {
  Display* display = displayOf(window_);
  const Window window = xidOf(window_);
  bool below = false, sticky = false;
  if (const auto state = property(display, window, atom(display, "_NET_WM_STATE"), XA_ATOM, 64)) {
    for (const unsigned long item : *state) {
      below = below || item == atom(display, "_NET_WM_STATE_BELOW");
      sticky = sticky || item == atom(display, "_NET_WM_STATE_STICKY");
    }
  }
  // Some window managers (openbox) show a window on every workspace without the sticky state.
  if (!sticky) {
    const auto desktop = property(display, window, atom(display, "_NET_WM_DESKTOP"), XA_CARDINAL, 1);
    sticky = desktop && desktop->size() == 1 && desktop->front() == 0xFFFFFFFFUL;
  }
  return below && sticky;
}

void X11DesktopLayer::request() {
  Display* display = displayOf(window_);
  const Window xid = xidOf(window_);
  constexpr long kAdd = 1;
  const Atom state = atom(display, "_NET_WM_STATE");
  sendWmMessage(display, xid, state, kAdd, static_cast<long>(atom(display, "_NET_WM_STATE_BELOW")),
                static_cast<long>(atom(display, "_NET_WM_STATE_STICKY")));
  sendWmMessage(display, xid, state, kAdd, static_cast<long>(atom(display, "_NET_WM_STATE_SKIP_TASKBAR")),
                static_cast<long>(atom(display, "_NET_WM_STATE_SKIP_PAGER")));
  sendWmMessage(display, xid, atom(display, "_NET_WM_DESKTOP"), 0xFFFFFFFFL, 0, 0);
  XFlush(display);
}

gboolean X11DesktopLayer::poll(gpointer data) {
  auto* self = static_cast<X11DesktopLayer*>(data);
  ++self->ticks_;
  if (!self->requested_) {
    if (!self->managed()) {
      if (self->ticks_ < kManageTicks) return G_SOURCE_CONTINUE;
    }
    // Managed now, or no window manager took it within the wait: ask either way.
    self->request();
    self->moveTo(self->origin_);
    self->requested_ = true;
    self->ticks_ = 0;
    return G_SOURCE_CONTINUE;
  }
  if (self->ticks_ < kSettleTicks) return G_SOURCE_CONTINUE;
  if (!self->stateTaken() && !self->resent_) {
    self->request();
    self->resent_ = true;
    self->ticks_ = 0;
    return G_SOURCE_CONTINUE;
  }
  self->timer_ = 0;
  return G_SOURCE_REMOVE;
}

}  // namespace host
