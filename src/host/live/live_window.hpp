#pragma once
// The live widget's window: one more reader of the laid-out tree. It draws the tree with the Cairo
// drawer at the surface's scale, answers a click with the hit test's URL, and puts an invisible
// stand-in widget over each accessibility element so that screen readers find them. It keeps the
// latest tree and nothing else; whoever lays out hands it a new one with show().
#include <memory>
#include <string>
#include <vector>

#include <gtk/gtk.h>

#include "host/draw/cairo_drawer.hpp"
#include "host/layout/layout_tree.hpp"
#include "host/live/placement.hpp"
#include "host/view/appearance.hpp"

namespace host {

class X11DesktopLayer;

// For tests and benchmarks: "<what> <CLOCK_MONOTONIC seconds>" as one line on stderr.
void traceEvent(const char* what);

struct LiveWindowOptions {
  std::string title;
  Size size{};
  double cornerRadius = 0;   // the widget's rounded shape; outside it the window is transparent
  ScreenCorner corner = ScreenCorner::topRight;
  double margin = 24;
  std::string monitor;       // a connector name ("HDMI-1"), "primary" or an index ("0"); empty: the primary
  // The installed desktop entry's id (its file name less ".desktop"), given to the window as its
  // Wayland app id and its X11 WM_CLASS class: docks, task switchers and window rules know it by
  // that. Empty: the toolkit's default.
  std::string desktopEntryId;
  bool trace = false;  // traceEvent("frame") after drawing each frame, "reload" at each reload
};

class LiveWindow {
 public:
  LiveWindow(GtkApplication* application, const LiveWindowOptions& options, CairoDrawer& drawer);
  ~LiveWindow();
  LiveWindow(const LiveWindow&) = delete;
  LiveWindow& operator=(const LiveWindow&) = delete;

  // Shows `tree`, laid out for `appearance`: redraws and rebuilds the stand-ins.
  void show(LayoutTree tree, const Appearance& appearance);
  void present();

 private:
  static void drawArea(GtkDrawingArea*, cairo_t* cr, int width, int height, gpointer self);
  static void released(GtkGestureClick*, int presses, double x, double y, gpointer self);
  static void compositedChanged(GObject*, GParamSpec*, gpointer self);
  static void standInClicked(GtkButton* button, gpointer self);
  static void focusChanged(GObject*, GParamSpec*, gpointer self);
  static void mapped(GtkWidget* window, gpointer self);
  void drawFocus(cairo_t* cr);
  void rebuildStandIns();
  void place();
  bool composited() const;

  LiveWindowOptions options_;
  CairoDrawer& drawer_;
  LayoutTree tree_;
  Appearance appearance_ = Appearance::light();
  GtkWidget* window_ = nullptr;
  GtkWidget* area_ = nullptr;
  GtkWidget* standIns_ = nullptr;
  std::vector<std::string> links_;  // of the stand-in buttons, by their index
  std::unique_ptr<X11DesktopLayer> desktopLayer_;
  gulong compositedHandler_ = 0;
};

}  // namespace host
