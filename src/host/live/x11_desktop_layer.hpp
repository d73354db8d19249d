#pragma once
// Keeping an X11 window on the desktop layer through the window manager's EWMH protocol: below
// other windows, on every workspace, out of the taskbar and the pager, visible when the desktop is
// shown, never taking the focus by itself, at its corner beside the other widgets there.
//
// The state is on the window before the window manager first reads it (the server is held while
// the toolkit maps, because the toolkit rewrites the state as it maps), and is asked for again
// whenever a new window manager appears. Window managers keep different windows visible when the
// desktop is shown, so the window's type is chosen for the manager that runs (desktopLayerStyle);
// when a manager that wants another type appears, the window is withdrawn and mapped again.
//
// The toolkit never notices a compositing manager that starts or stops after it, so the layer
// follows the owner of _NET_WM_CM_S<screen> itself; and KWin, which keeps that selection while its
// compositing is suspended, through the signal it sends on the session bus.
#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <string_view>

#include "host/live/placement.hpp"
#include "host/view/geometry.hpp"

namespace host {

// What a window manager needs of a desktop-layer window.
struct DesktopLayerStyle {
  std::string_view windowType;  // the end of a _NET_WM_WINDOW_TYPE_ atom: "NORMAL", "DOCK", "SPLASH"
  bool lowerAfterClick = false;  // the manager raises the window above others when it is clicked
  bool operator==(const DesktopLayerStyle&) const = default;
};

// By the window manager's _NET_WM_NAME; empty when none runs.
DesktopLayerStyle desktopLayerStyle(std::string_view windowManagerName);

struct CornerPlace {
  Rect area{};  // the monitor's work area, in the display's points
  Size size{};
  ScreenCorner corner = ScreenCorner::topRight;
  double margin = 0;
};

class X11DesktopLayer {
 public:
  // `window` must use the X11 backend and not be mapped yet; `compositorChanged` runs when a
  // compositing manager starts or stops.
  X11DesktopLayer(GtkWindow* window, const CornerPlace& place, std::function<void()> compositorChanged);
  ~X11DesktopLayer();
  X11DesktopLayer(const X11DesktopLayer&) = delete;
  X11DesktopLayer& operator=(const X11DesktopLayer&) = delete;

  // Maps the window with its state in place; never focuses it.
  void present();
  bool composited() const { return composited_; }
  // After a click on the window: back below the others where the manager raised it.
  void clicked();

 private:
  enum class Phase { idle, waitingForManager, settling, withdrawing };
  static gboolean xevent(GdkDisplay*, gpointer event, gpointer self);
  static gboolean tick(gpointer self);
  static void kwinCompositingToggled(GDBusConnection*, const char*, const char*, const char*, const char*,
                                     GVariant* parameters, gpointer self);
  void setComposited(bool selectionOwned, bool kwinActive);
  void writeState();
  void request();
  bool managed() const;
  bool stateTaken() const;
  void managerChanged();
  void follow(Phase phase);
  void joinRow();
  void leaveRow();
  void placeInRow();
  void moveTo(Point origin);

  GtkWindow* window_;
  CornerPlace place_;
  // X atoms (Xlib's Atom), named once: the manager check, the widgets' row and place, the compositor.
  unsigned long wmCheckAtom_ = 0, rowAtom_ = 0, placeAtom_ = 0, compositorSelection_ = 0;
  std::function<void()> compositorChanged_;
  DesktopLayerStyle style_;
  std::string typeOnWindow_;
  bool composited_ = false;
  bool selectionOwned_ = false;
  bool kwinActive_ = true;
  GDBusConnection* bus_ = nullptr;
  guint kwinSubscription_ = 0;
  bool presented_ = false;
  int fixesEventBase_ = -1;
  gulong eventHandler_ = 0;
  guint timer_ = 0;
  int ticks_ = 0;
  bool resent_ = false;
  Phase phase_ = Phase::idle;
};

}  // namespace host
