#include "host/live/x11_desktop_layer.hpp"

#include <gdk/x11/gdkx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace host {

namespace {

// How often and how long to look for the window manager taking the window over, and for the state
// to show afterwards. Only after a start or a new manager; the window idles with no timer otherwise.
constexpr guint kTickMs = 50;
constexpr int kManageTicks = 100;   // 5 s
constexpr int kSettleTicks = 6;     // 300 ms after the request
constexpr int kWithdrawTicks = 20;  // 1 s for a manager to let go of the window

constexpr long kAllDesktops = 0xFFFFFFFFL;
constexpr long kFromPager = 2;  // restacking as a pager does: managers honour it without focus rules

Display* displayOf(GtkWindow* window) {
  return gdk_x11_display_get_xdisplay(gtk_widget_get_display(GTK_WIDGET(window)));
}
Window xidOf(GtkWindow* window) {
  GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(window));
  return surface ? gdk_x11_surface_get_xid(surface) : None;
}
Atom atom(Display* display, const char* name) { return XInternAtom(display, name, False); }
Atom atom(Display* display, const std::string& name) { return atom(display, name.c_str()); }

// Reads a window property under an error trap and, when it has `type` and `format`, hands `take`
// its data and item count (32-bit items come as longs, as Xlib gives them); false when the window
// lacks it, has another type or format, or is gone.
template <typename Take>
bool readProperty(Display* display, Window window, Atom name, Atom type, int format, long length, Take take) {
  Atom actualType = None;
  int actualFormat = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  GdkDisplay* gdk = gdk_x11_lookup_xdisplay(display);
  gdk_x11_display_error_trap_push(gdk);
  const bool read = XGetWindowProperty(display, window, name, 0, length, False, type, &actualType, &actualFormat,
                                       &count, &after, &data) == Success &&
                    data && actualType == type && actualFormat == format;
  if (read) take(data, count);
  gdk_x11_display_error_trap_pop_ignored(gdk);
  if (data) XFree(data);
  return read;
}

// A window property of 32-bit items; none when the window lacks it, has another type or format, or
// is gone.
std::optional<std::vector<unsigned long>> property(Display* display, Window window, Atom name, Atom type,
                                                   long items) {
  std::optional<std::vector<unsigned long>> values;
  readProperty(display, window, name, type, 32, items, [&](const unsigned char* data, unsigned long count) {
    const auto* items32 = reinterpret_cast<const unsigned long*>(data);
    values.emplace(items32, items32 + count);
  });
  return values;
}

void setProperty(Display* display, Window window, Atom name, Atom type, const std::vector<long>& items) {
  XChangeProperty(display, window, name, type, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(items.data()), static_cast<int>(items.size()));
}

std::string windowManagerName(Display* display) {
  const Window root = DefaultRootWindow(display);
  const auto check = property(display, root, atom(display, "_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 1);
  if (!check || check->empty()) return {};
  std::string name;
  readProperty(display, check->front(), atom(display, "_NET_WM_NAME"), atom(display, "UTF8_STRING"), 8, 64,
               [&](const unsigned char* data, unsigned long count) {
                 name.assign(reinterpret_cast<const char*>(data), count);
               });
  return name;
}

void sendWmMessage(Display* display, Window window, Atom type, long a, long b, long c, long d = 1) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = type;
  event.xclient.format = 32;
  event.xclient.data.l[0] = a;
  event.xclient.data.l[1] = b;
  event.xclient.data.l[2] = c;
  event.xclient.data.l[3] = d;  // 1: from a normal application
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

Atom compositorSelection(Display* display) {
  return atom(display, "_NET_WM_CM_S" + std::to_string(DefaultScreen(display)));
}

// The widgets of this program on the screen, in the order they started: a list of windows on the
// root window, each of which carries where it stands (kPlaceItems numbers). Named after the program.
std::string programAtom(const char* what) {
  std::string name = "_";
  for (const char* c = g_get_prgname() ? g_get_prgname() : "widget"; *c; ++c)
    name += g_ascii_isalnum(*c) ? g_ascii_toupper(*c) : '_';
  return name + what;
}
constexpr long kPlaceItems = 7;  // corner, area x, y, width, height (points), window width, margin

}  // namespace

DesktopLayerStyle desktopLayerStyle(std::string_view name) {
  // Mutter ("GNOME Shell" when the shell runs it) hides every window but the desktop's and docks
  // when the desktop is shown; a dock that asks to be below lies in its bottom layer, above the
  // desktop's own window and below normal windows.
  if (name == "Mutter" || name == "GNOME Shell" || name.starts_with("Mutter ")) return {"DOCK"};
  // KWin raises the desktop's window over every window but docks when the desktop is shown; a dock
  // that asks to be below shares the normal windows' layer, and KWin raises it when it is clicked.
  if (name == "KWin") return {"DOCK", true};
  // Openbox hides every window but desktops, docks and splash screens; a splash screen that asks to
  // be below stays in the layer below normal windows (a dock would share theirs).
  if (name == "Openbox") return {"SPLASH"};
  // xfwm4 leaves windows out of the taskbar alone when the desktop is shown, and the rest, and any
  // manager not known here, take a normal window best: it is focused when clicked.
  return {"NORMAL"};
}

X11DesktopLayer::X11DesktopLayer(GtkWindow* window, const CornerPlace& place, std::function<void()> compositorChanged)
    : window_(window), place_(place), compositorChanged_(std::move(compositorChanged)) {
  Display* display = displayOf(window_);
  const Window root = DefaultRootWindow(display);
  // Named once: the event handler compares every property change of the root window with them.
  wmCheckAtom_ = atom(display, "_NET_SUPPORTING_WM_CHECK");
  rowAtom_ = atom(display, programAtom("_WINDOWS"));
  placeAtom_ = atom(display, programAtom("_PLACE"));
  compositorSelection_ = compositorSelection(display);
  // Managers come and go, and the row of widgets changes, on the root window's properties; the
  // toolkit listens to it already, so its mask is widened, not replaced.
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, root, &attributes);
  XSelectInput(display, root, attributes.your_event_mask | PropertyChangeMask);
  int errorBase = 0;
  if (XFixesQueryExtension(display, &fixesEventBase_, &errorBase))
    XFixesSelectSelectionInput(display, root, compositorSelection_,
                               XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask |
                                   XFixesSelectionClientCloseNotifyMask);
  selectionOwned_ = composited_ = XGetSelectionOwner(display, compositorSelection_) != None;
  // The application's own connection to the session bus, when it has one.
  if (GApplication* application = g_application_get_default())
    bus_ = g_application_get_dbus_connection(application);
  if (bus_) {
    g_object_ref(bus_);
    kwinSubscription_ = g_dbus_connection_signal_subscribe(bus_, "org.kde.KWin", "org.kde.kwin.Compositing",
                                                           "compositingToggled", "/Compositor", nullptr,
                                                           G_DBUS_SIGNAL_FLAGS_NONE, &kwinCompositingToggled, this,
                                                           nullptr);
  }
  eventHandler_ = g_signal_connect(gtk_widget_get_display(GTK_WIDGET(window_)), "xevent", G_CALLBACK(&xevent), this);
  style_ = desktopLayerStyle(windowManagerName(display));
}

X11DesktopLayer::~X11DesktopLayer() {
  if (timer_) g_source_remove(timer_);
  g_signal_handler_disconnect(gtk_widget_get_display(GTK_WIDGET(window_)), eventHandler_);
  if (bus_) {
    g_dbus_connection_signal_unsubscribe(bus_, kwinSubscription_);
    g_object_unref(bus_);
  }
  if (presented_) leaveRow();
}

void X11DesktopLayer::writeState() {
  Display* display = displayOf(window_);
  const Window xid = xidOf(window_);
  setProperty(display, xid, atom(display, "_NET_WM_WINDOW_TYPE"), XA_ATOM,
              {static_cast<long>(atom(display, "_NET_WM_WINDOW_TYPE_" + std::string(style_.windowType)))});
  typeOnWindow_ = style_.windowType;
  std::vector<long> state;
  for (const char* name : {"_NET_WM_STATE_BELOW", "_NET_WM_STATE_STICKY", "_NET_WM_STATE_SKIP_TASKBAR",
                           "_NET_WM_STATE_SKIP_PAGER"})
    state.push_back(static_cast<long>(atom(display, name)));
  setProperty(display, xid, atom(display, "_NET_WM_STATE"), XA_ATOM, state);
  setProperty(display, xid, atom(display, "_NET_WM_DESKTOP"), XA_CARDINAL, {kAllDesktops});
  // A user time of 0 asks the manager not to focus the window when it maps; the toolkit may keep
  // the user time on a window of its own, which the manager then reads instead.
  const Atom userTime = atom(display, "_NET_WM_USER_TIME");
  setProperty(display, xid, userTime, XA_CARDINAL, {0});
  if (const auto other = property(display, xid, atom(display, "_NET_WM_USER_TIME_WINDOW"), XA_WINDOW, 1);
      other && !other->empty())
    setProperty(display, other->front(), userTime, XA_CARDINAL, {0});
}

void X11DesktopLayer::present() {
  gtk_widget_realize(GTK_WIDGET(window_));
  GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(window_));
  gdk_x11_surface_set_skip_taskbar_hint(surface, TRUE);
  gdk_x11_surface_set_skip_pager_hint(surface, TRUE);
  Display* display = displayOf(window_);
  // The toolkit rewrites _NET_WM_STATE and _NET_WM_DESKTOP just before it maps; holding the server
  // from before that until the state is written again means no manager reads the window between.
  XGrabServer(display);
  // Shown, not presented: presenting also asks the manager to activate the window, which takes the focus.
  gtk_widget_set_visible(GTK_WIDGET(window_), TRUE);
  writeState();
  presented_ = true;
  joinRow();
  XUngrabServer(display);
  placeInRow();
  XFlush(display);
  follow(Phase::waitingForManager);
}

void X11DesktopLayer::moveTo(Point origin) {
  const Window xid = xidOf(window_);
  if (xid == None) return;
  // X11 positions are in device pixels.
  const int scale = gdk_surface_get_scale_factor(gtk_native_get_surface(GTK_NATIVE(window_)));
  XMoveWindow(displayOf(window_), xid, static_cast<int>(std::lround(origin.x * scale)),
              static_cast<int>(std::lround(origin.y * scale)));
  XFlush(displayOf(window_));
}

void X11DesktopLayer::clicked() {
  if (!style_.lowerAfterClick) return;
  Display* display = displayOf(window_);
  constexpr long kBelow = 1;
  sendWmMessage(display, xidOf(window_), atom(display, "_NET_RESTACK_WINDOW"), kFromPager, None, kBelow, 0);
  XFlush(display);
}

// A window manager marks a window it manages with WM_STATE.
bool X11DesktopLayer::managed() const {
  Display* display = displayOf(window_);
  const Atom wmState = atom(display, "WM_STATE");
  const auto state = property(display, xidOf(window_), wmState, wmState, 2);
  return state && !state->empty() && state->front() != WithdrawnState;
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

// Managers read the state as they take a window over, but some only from the requests sent once
// they manage it: so the requests follow, and are checked and sent once more if the state did not take.
void X11DesktopLayer::request() {
  Display* display = displayOf(window_);
  const Window xid = xidOf(window_);
  constexpr long kAdd = 1;
  const Atom state = atom(display, "_NET_WM_STATE");
  sendWmMessage(display, xid, state, kAdd, static_cast<long>(atom(display, "_NET_WM_STATE_BELOW")),
                static_cast<long>(atom(display, "_NET_WM_STATE_STICKY")));
  sendWmMessage(display, xid, state, kAdd, static_cast<long>(atom(display, "_NET_WM_STATE_SKIP_TASKBAR")),
                static_cast<long>(atom(display, "_NET_WM_STATE_SKIP_PAGER")));
  sendWmMessage(display, xid, atom(display, "_NET_WM_DESKTOP"), kAllDesktops, 0, 0);
  XFlush(display);
}

void X11DesktopLayer::follow(Phase phase) {
  phase_ = phase;
  ticks_ = 0;
  resent_ = false;
  if (!timer_) timer_ = g_timeout_add(kTickMs, &tick, this);
}

gboolean X11DesktopLayer::tick(gpointer data) {
  auto* self = static_cast<X11DesktopLayer*>(data);
  ++self->ticks_;
  switch (self->phase_) {
    case Phase::withdrawing:
      if (self->managed() && self->ticks_ < kWithdrawTicks) return G_SOURCE_CONTINUE;
      self->writeState();
      self->placeInRow();
      XMapWindow(displayOf(self->window_), xidOf(self->window_));
      self->follow(Phase::waitingForManager);
      return G_SOURCE_CONTINUE;
    case Phase::waitingForManager:
      // Managed now, or no window manager took it within the wait: ask either way (and place it
      // again: some managers place a window by their own rules as they take it over).
      if (!self->managed() && self->ticks_ < kManageTicks) return G_SOURCE_CONTINUE;
      self->placeInRow();
      self->request();
      self->phase_ = Phase::settling;
      self->ticks_ = 0;
      return G_SOURCE_CONTINUE;
    case Phase::settling:
      if (self->ticks_ < kSettleTicks) return G_SOURCE_CONTINUE;
      if (!self->stateTaken() && !self->resent_) {
        self->request();
        self->resent_ = true;
        self->ticks_ = 0;
        return G_SOURCE_CONTINUE;
      }
      break;
    case Phase::idle:
      break;
  }
  self->phase_ = Phase::idle;
  self->timer_ = 0;
  return G_SOURCE_REMOVE;
}

void X11DesktopLayer::managerChanged() {
  Display* display = displayOf(window_);
  const std::string name = windowManagerName(display);
  if (name.empty()) return;  // the old one left; the new one is not there yet
  style_ = desktopLayerStyle(name);
  if (style_.windowType != typeOnWindow_) {
    // Managers read the type only when they take a window over: withdraw it, and map it again.
    XWithdrawWindow(display, xidOf(window_), DefaultScreen(display));
    XFlush(display);
    follow(Phase::withdrawing);
    return;
  }
  writeState();
  follow(Phase::waitingForManager);
}

void X11DesktopLayer::joinRow() {
  Display* display = displayOf(window_);
  const Window xid = xidOf(window_);
  const auto& [area, size, corner, margin] = place_;
  setProperty(display, xid, placeAtom_, XA_CARDINAL,
              {static_cast<long>(corner), std::lround(area.x), std::lround(area.y), std::lround(area.width),
               std::lround(area.height), std::lround(size.width), std::lround(margin)});
    const Window root = DefaultRootWindow(display);
  std::vector<long> row;
  if (const auto windows = property(display, root, rowAtom_, XA_WINDOW, 64))
    for (const unsigned long window : *windows)
      if (window != xid && property(display, window, placeAtom_, XA_CARDINAL, kPlaceItems))
        row.push_back(static_cast<long>(window));  // still there: a window that ended without leaving is dropped
  row.push_back(static_cast<long>(xid));
  setProperty(display, root, rowAtom_, XA_WINDOW, row);
}

void X11DesktopLayer::leaveRow() {
  Display* display = displayOf(window_);
  const Window xid = xidOf(window_);
    const Window root = DefaultRootWindow(display);
  XGrabServer(display);
  std::vector<long> row;
  if (const auto windows = property(display, root, rowAtom_, XA_WINDOW, 64))
    for (const unsigned long window : *windows)
      if (window != xid) row.push_back(static_cast<long>(window));
  setProperty(display, root, rowAtom_, XA_WINDOW, row);
  XUngrabServer(display);
  XFlush(display);
}

// Where this window stands in its corner's row: after the widgets that started before it there.
// Each widget in the row is watched for its end, in case it ends without leaving the row.
void X11DesktopLayer::placeInRow() {
  Display* display = displayOf(window_);
  const Window xid = xidOf(window_);
  const auto& [area, size, corner, margin] = place_;
  const std::vector<long> mine{static_cast<long>(corner), std::lround(area.x), std::lround(area.y),
                               std::lround(area.width), std::lround(area.height)};
  std::vector<double> earlier;
  if (const auto windows = property(display, DefaultRootWindow(display), rowAtom_,
                                    XA_WINDOW, 64)) {
    for (const unsigned long window : *windows) {
      if (window == xid) break;
      const auto other = property(display, window, placeAtom_, XA_CARDINAL, kPlaceItems);
      if (!other || other->size() != kPlaceItems) continue;
      GdkDisplay* gdk = gtk_widget_get_display(GTK_WIDGET(window_));
      gdk_x11_display_error_trap_push(gdk);
      XSelectInput(display, window, StructureNotifyMask);
      gdk_x11_display_error_trap_pop_ignored(gdk);
      // Any client may write these numbers: a width wider than the area is nobody's widget.
      if (std::equal(mine.begin(), mine.end(), other->begin(),
                     [](long a, unsigned long b) { return static_cast<unsigned long>(a) == b; }) &&
          static_cast<double>((*other)[5]) <= area.width)
        earlier.push_back(static_cast<double>((*other)[5]));
    }
  }
  moveTo(cornerRowOrigin(area, size, corner, margin, earlier));
}

void X11DesktopLayer::kwinCompositingToggled(GDBusConnection*, const char*, const char*, const char*, const char*,
                                             GVariant* parameters, gpointer self) {
  if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(b)"))) return;
  gboolean active = FALSE;
  g_variant_get(parameters, "(b)", &active);
  auto* layer = static_cast<X11DesktopLayer*>(self);
  layer->setComposited(layer->selectionOwned_, active);
}

// A new owner of the selection is a compositor that runs: whatever KWin said before is past.
void X11DesktopLayer::setComposited(bool selectionOwned, bool kwinActive) {
  selectionOwned_ = selectionOwned;
  kwinActive_ = kwinActive;
  const bool composited = selectionOwned_ && kwinActive_;
  if (composited == composited_) return;
  composited_ = composited;
  compositorChanged_();
}

gboolean X11DesktopLayer::xevent(GdkDisplay*, gpointer data, gpointer self_) {
  auto* self = static_cast<X11DesktopLayer*>(self_);
  const auto* event = static_cast<const XEvent*>(data);
  Display* display = displayOf(self->window_);
  const Window root = DefaultRootWindow(display);
  if (event->type == PropertyNotify && event->xproperty.window == root) {
    if (event->xproperty.atom == self->wmCheckAtom_) self->managerChanged();
    if (event->xproperty.atom == self->rowAtom_ && self->presented_) self->placeInRow();
  } else if (event->type == DestroyNotify && event->xdestroywindow.window != xidOf(self->window_) &&
             event->xdestroywindow.event == event->xdestroywindow.window && self->presented_) {
    self->placeInRow();  // a widget before this one ended without leaving the row
  } else if (self->fixesEventBase_ >= 0 && event->type == self->fixesEventBase_ + XFixesSelectionNotify) {
    const auto* selection = reinterpret_cast<const XFixesSelectionNotifyEvent*>(event);
    if (selection->selection == self->compositorSelection_)
      self->setComposited(XGetSelectionOwner(display, selection->selection) != None, true);
  }
  return FALSE;  // the toolkit handles every event as before
}

}  // namespace host
