#include "host/live/live_window.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <iostream>

#include "host/draw/rounded_rectangle.hpp"
#include "host/layout/hit_test.hpp"
#include "host/live/stand_ins.hpp"
#include "host/live/uri_launcher.hpp"
#include "host/live/x11_desktop_layer.hpp"

// After our own headers: Xlib defines macros such as None and Status.
#include <gdk/x11/gdkx.h>
#ifdef GDK_WINDOWING_WAYLAND
#include <gdk/wayland/gdkwayland.h>
#endif

#ifdef HOST_HAVE_GTK4_LAYER_SHELL
#include <gtk4-layer-shell.h>
#endif

namespace host {

namespace {

constexpr const char* kCss =
    "window.live-widget { background: none; }\n"
    "button.live-widget-stand-in, label.live-widget-stand-in { all: unset; opacity: 0; font-size: 1px; }\n";

// The monitor `--monitor` asks for, or the primary (with a warning) when it names none; null when
// there is no monitor at all.
GdkMonitor* chosenMonitor(GdkDisplay* display, const std::string& request) {
  GListModel* monitors = gdk_display_get_monitors(display);
  GdkMonitor* primary = GDK_IS_X11_DISPLAY(display) ? gdk_x11_display_get_primary_monitor(display) : nullptr;
  std::vector<std::string> connectors;
  std::size_t primaryIndex = 0;
  for (guint i = 0; i < g_list_model_get_n_items(monitors); ++i) {
    auto* monitor = GDK_MONITOR(g_list_model_get_item(monitors, i));
    g_object_unref(monitor);  // the list keeps it
    if (monitor == primary) primaryIndex = i;
    const char* name = gdk_monitor_get_connector(monitor);
    connectors.emplace_back(name ? name : "");
  }
  auto index = chooseMonitor(connectors, primaryIndex, request);
  if (!index) {
    if (connectors.empty()) return nullptr;
    std::cerr << "warning: show: " << noSuchMonitor(request, connectors, primaryIndex) << "; using the primary\n";
    index = chooseMonitor(connectors, primaryIndex, "");
  }
  auto* chosen = GDK_MONITOR(g_list_model_get_item(monitors, static_cast<guint>(*index)));
  g_object_unref(chosen);
  return chosen;
}

Rect workArea(GdkMonitor* monitor) {
  GdkRectangle area{};
  if (GDK_IS_X11_MONITOR(monitor))
    gdk_x11_monitor_get_workarea(monitor, &area);
  else
    gdk_monitor_get_geometry(monitor, &area);
  return {static_cast<double>(area.x), static_cast<double>(area.y), static_cast<double>(area.width),
          static_cast<double>(area.height)};
}

}  // namespace

void traceEvent(const char* what) {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::fprintf(stderr, "%s %.6f\n", what, static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9);
}

LiveWindow::LiveWindow(GtkApplication* application, const LiveWindowOptions& options, CairoDrawer& drawer)
    : options_(options), drawer_(drawer) {
  GdkDisplay* display = gdk_display_get_default();
  static bool styled = false;
  if (!styled) {
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, kCss, -1);
    gtk_style_context_add_provider_for_display(display, GTK_STYLE_PROVIDER(css),
                                               GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
    styled = true;
  }

  window_ = gtk_application_window_new(application);
  g_object_ref_sink(window_);
  if (!options_.desktopEntryId.empty()) {
    // X11 reads the class when the window is made, so before it is realised.
    if (GDK_IS_X11_DISPLAY(display)) gdk_x11_display_set_program_class(display, options_.desktopEntryId.c_str());
    g_signal_connect(window_, "map", G_CALLBACK(&mapped), this);
  }
  gtk_widget_add_css_class(window_, "live-widget");
  gtk_window_set_title(GTK_WINDOW(window_), options_.title.c_str());
  gtk_window_set_decorated(GTK_WINDOW(window_), FALSE);
  gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
  const int width = static_cast<int>(std::lround(options_.size.width));
  const int height = static_cast<int>(std::lround(options_.size.height));
  gtk_window_set_default_size(GTK_WINDOW(window_), width, height);

  // The drawing is presentation only: the stand-ins carry what screen readers read.
  area_ = GTK_WIDGET(g_object_new(GTK_TYPE_DRAWING_AREA, "accessible-role", GTK_ACCESSIBLE_ROLE_PRESENTATION,
                                  "content-width", width, "content-height", height, nullptr));
  gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(area_), &drawArea, this, nullptr);
  GtkGesture* click = gtk_gesture_click_new();
  gtk_gesture_single_set_button(GTK_GESTURE_SINGLE(click), GDK_BUTTON_PRIMARY);
  g_signal_connect(click, "released", G_CALLBACK(&released), this);
  gtk_widget_add_controller(area_, GTK_EVENT_CONTROLLER(click));

  // Stand-ins lie over the drawing but never take the pointer, so every click goes one way.
  standIns_ = gtk_fixed_new();
  gtk_widget_set_can_target(standIns_, FALSE);
  gtk_widget_set_overflow(standIns_, GTK_OVERFLOW_HIDDEN);
  GtkWidget* overlay = gtk_overlay_new();
  gtk_overlay_set_child(GTK_OVERLAY(overlay), area_);
  gtk_overlay_add_overlay(GTK_OVERLAY(overlay), standIns_);
  gtk_window_set_child(GTK_WINDOW(window_), overlay);

  compositedHandler_ = g_signal_connect(display, "notify::composited", G_CALLBACK(&compositedChanged), this);
  g_signal_connect(window_, "notify::focus-widget", G_CALLBACK(&focusChanged), this);
  g_signal_connect(window_, "notify::focus-visible", G_CALLBACK(&focusChanged), this);
  place();
}

LiveWindow::~LiveWindow() {
  g_signal_handler_disconnect(gdk_display_get_default(), compositedHandler_);
  desktopLayer_.reset();
  gtk_window_destroy(GTK_WINDOW(window_));
  g_object_unref(window_);
}

void LiveWindow::place() {
  GdkDisplay* display = gtk_widget_get_display(window_);
#ifdef HOST_HAVE_GTK4_LAYER_SHELL
  if (!GDK_IS_X11_DISPLAY(display) && gtk_layer_is_supported()) {
    GdkMonitor* monitor = chosenMonitor(display, options_.monitor);
    GtkWindow* window = GTK_WINDOW(window_);
    gtk_layer_init_for_window(window);
    gtk_layer_set_layer(window, GTK_LAYER_SHELL_LAYER_BOTTOM);
    gtk_layer_set_keyboard_mode(window, GTK_LAYER_SHELL_KEYBOARD_MODE_NONE);
    // Layer rules (sway's layer_effects, Hyprland's layerrule) know a layer surface by its namespace.
    if (!options_.desktopEntryId.empty()) gtk_layer_set_namespace(window, options_.desktopEntryId.c_str());
    if (monitor) gtk_layer_set_monitor(window, monitor);
    const bool left = options_.corner == ScreenCorner::topLeft || options_.corner == ScreenCorner::bottomLeft;
    const bool top = options_.corner == ScreenCorner::topLeft || options_.corner == ScreenCorner::topRight;
    const auto edgeH = left ? GTK_LAYER_SHELL_EDGE_LEFT : GTK_LAYER_SHELL_EDGE_RIGHT;
    const auto edgeV = top ? GTK_LAYER_SHELL_EDGE_TOP : GTK_LAYER_SHELL_EDGE_BOTTOM;
    gtk_layer_set_anchor(window, edgeH, TRUE);
    gtk_layer_set_anchor(window, edgeV, TRUE);
    gtk_layer_set_margin(window, edgeH, static_cast<int>(options_.margin));
    gtk_layer_set_margin(window, edgeV, static_cast<int>(options_.margin));
    return;
  }
#endif
  if (!GDK_IS_X11_DISPLAY(display)) {
    // Wayland without layer shell: a plain window; where it goes, and whether it stays below, is the
    // compositor's choice, which its window rules can make.
    std::cerr << "note: show: on Wayland without layer shell, where the widget goes is up to the compositor "
                 "(--corner, --margin and --monitor are not used); see \"Tiling compositors\" in the README\n";
    return;
  }
  GdkMonitor* monitor = chosenMonitor(display, options_.monitor);
  if (!monitor) return;
  desktopLayer_ = std::make_unique<X11DesktopLayer>(
      GTK_WINDOW(window_),
      CornerPlace{
          .area = workArea(monitor), .size = options_.size, .corner = options_.corner, .margin = options_.margin},
      [this] { gtk_widget_queue_draw(area_); });
}

void LiveWindow::present() {
  if (desktopLayer_)
    desktopLayer_->present();
  else
    gtk_window_present(GTK_WINDOW(window_));
}

// The toolkit follows a compositor only on Wayland; on X11 the desktop layer does.
bool LiveWindow::composited() const {
  return desktopLayer_ ? desktopLayer_->composited() : gdk_display_is_composited(gtk_widget_get_display(window_));
}

void LiveWindow::show(LayoutTree tree, const Appearance& appearance) {
  tree_ = std::move(tree);
  appearance_ = appearance;
  rebuildStandIns();
  gtk_widget_queue_draw(area_);
}

void LiveWindow::drawArea(GtkDrawingArea*, cairo_t* cr, int, int, gpointer data) {
  auto* self = static_cast<LiveWindow*>(data);
  // With a compositor the corners outside the widget's shape stay transparent; without one they
  // would show black, so the widget fills its whole rectangle instead.
  if (self->composited()) {
    roundedRectanglePath(cr, Rect{0, 0, self->options_.size.width, self->options_.size.height},
                         self->options_.cornerRadius);
    cairo_clip(cr);
  }
  self->drawer_.draw(cr, self->tree_, {.appearance = self->appearance_});
  self->drawFocus(cr);
  if (self->options_.trace) traceEvent("frame");
}

// The stand-ins are invisible, so the keyboard's focus is drawn here: a ring around the focused
// link, only once the keyboard has been used (GTK's focus-visible).
void LiveWindow::drawFocus(cairo_t* cr) {
  GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(window_));
  if (!focus || !gtk_window_get_focus_visible(GTK_WINDOW(window_)) || gtk_widget_get_parent(focus) != standIns_)
    return;
  graphene_rect_t bounds;
  if (!gtk_widget_compute_bounds(focus, area_, &bounds)) return;
  // Around the whole link the focused element lies in (a button's shape), not just its label.
  Rect ring{bounds.origin.x, bounds.origin.y, bounds.size.width, bounds.size.height};
  const Point centre{ring.x + ring.width / 2, ring.y + ring.height / 2};
  const auto index = GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(focus), "link-index"));
  for (const LayoutNode& node : tree_.nodes)
    if (const auto* link = node.as<LinkTarget>())
      if (index < links_.size() && link->url.string() == links_[index] && node.frame.contains(centre))
        ring = node.frame;
  constexpr double kOutset = 3;
  const double x = ring.x - kOutset, y = ring.y - kOutset;
  const double width = ring.width + 2 * kOutset, height = ring.height + 2 * kOutset;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  roundedRectanglePath(cr, Rect{0, 0, width, height}, std::min(width, height) / 2);
  if (appearance_.isDark())
    cairo_set_source_rgb(cr, 0.55, 0.7, 1.0);
  else
    cairo_set_source_rgb(cr, 0.1, 0.35, 0.85);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void LiveWindow::focusChanged(GObject*, GParamSpec*, gpointer data) {
  gtk_widget_queue_draw(static_cast<LiveWindow*>(data)->area_);
}

// On Wayland GTK names the window after its application at every map, and the application's id
// is one per family (one running window each), matching no desktop entry. Renamed here, after the
// toplevel is made and before its first frame, so the compositor's rules see the entry's id when
// the window appears.
void LiveWindow::mapped(GtkWidget* window, gpointer data) {
#ifdef GDK_WINDOWING_WAYLAND
  GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(window));
  if (GDK_IS_WAYLAND_TOPLEVEL(surface))
    gdk_wayland_toplevel_set_application_id(GDK_TOPLEVEL(surface),
                                            static_cast<LiveWindow*>(data)->options_.desktopEntryId.c_str());
#else
  (void)window;
  (void)data;
#endif
}

void LiveWindow::released(GtkGestureClick*, int, double x, double y, gpointer data) {
  auto* self = static_cast<LiveWindow*>(data);
  if (self->desktopLayer_) self->desktopLayer_->clicked();
  const Point point{x, y};
  if (!insideRoundedRectangle(self->options_.size, self->options_.cornerRadius, point)) return;
  if (const auto url = hitTest(self->tree_, point)) openUrlAsync(*url);
}

void LiveWindow::compositedChanged(GObject*, GParamSpec*, gpointer data) {
  gtk_widget_queue_draw(static_cast<LiveWindow*>(data)->area_);
}

void LiveWindow::standInClicked(GtkButton* button, gpointer data) {
  auto* self = static_cast<LiveWindow*>(data);
  const auto index = GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(button), "link-index"));
  if (index < self->links_.size())
    if (const auto url = Url::parse(self->links_[index])) openUrlAsync(*url);
}

void LiveWindow::rebuildStandIns() {
  while (GtkWidget* child = gtk_widget_get_first_child(standIns_)) gtk_fixed_remove(GTK_FIXED(standIns_), child);
  links_.clear();
  for (const StandIn& standIn : standIns(tree_)) {
    GtkWidget* widget = nullptr;
    if (standIn.kind == StandIn::Kind::button) {
      widget = gtk_button_new();
      g_object_set_data(G_OBJECT(widget), "link-index", GUINT_TO_POINTER(links_.size()));
      links_.push_back(standIn.link->string());
      g_signal_connect(widget, "clicked", G_CALLBACK(&standInClicked), this);
    } else {
      widget = gtk_label_new(standIn.label.c_str());
      gtk_label_set_ellipsize(GTK_LABEL(widget), PANGO_ELLIPSIZE_END);
    }
    gtk_accessible_update_property(GTK_ACCESSIBLE(widget), GTK_ACCESSIBLE_PROPERTY_LABEL, standIn.label.c_str(),
                                   -1);
    gtk_widget_add_css_class(widget, "live-widget-stand-in");
    gtk_widget_set_size_request(widget, static_cast<int>(std::lround(standIn.frame.width)),
                                static_cast<int>(std::lround(standIn.frame.height)));
    gtk_fixed_put(GTK_FIXED(standIns_), widget, standIn.frame.x, standIn.frame.y);
  }
}

}  // namespace host
