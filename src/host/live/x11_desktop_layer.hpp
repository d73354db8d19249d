#pragma once
// Keeping an X11 window on the desktop layer through the window manager's EWMH protocol: a normal
// window that skips the taskbar and the pager, sits below other windows and shows on every
// workspace, at a given position. Window managers read the requests only once they manage the
// window (some ignore what is sent at map), so the requests wait for that, are checked afterwards
// and sent once more if the state did not take.
#include <gtk/gtk.h>

#include "host/view/geometry.hpp"

namespace host {

class X11DesktopLayer {
 public:
  // `window` must use the X11 backend and not be mapped yet; `origin` is in the display's points.
  X11DesktopLayer(GtkWindow* window, Point origin);
  ~X11DesktopLayer();
  X11DesktopLayer(const X11DesktopLayer&) = delete;
  X11DesktopLayer& operator=(const X11DesktopLayer&) = delete;

  void moveTo(Point origin);

 private:
  static void mapped(GtkWidget*, gpointer self);
  static gboolean poll(gpointer self);
  bool managed() const;
  bool stateTaken() const;
  void request();

  GtkWindow* window_;
  Point origin_;
  gulong mapHandler_ = 0;
  guint timer_ = 0;
  int ticks_ = 0;
  bool requested_ = false;
  bool resent_ = false;
};

}  // namespace host
