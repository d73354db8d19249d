#pragma once
// The desktop's dark or light setting, followed live: the desktop portal's colour scheme, read
// asynchronously (never waited for) and followed through its SettingChanged signal, with GTK_THEME
// and the toolkit's settings as the fallback until, or unless, the portal answers.
//
//   DesktopAppearance appearance([&](const Appearance& now) { relayout(now); });
//   draw(appearance.current());   // the fallback at first; the callback runs when it changes
#include <cstdint>
#include <functional>
#include <optional>

#include <gio/gio.h>
#include <gtk/gtk.h>

#include "host/view/appearance.hpp"

namespace host {

class DesktopAppearance {
 public:
  using OnChange = std::function<void(const Appearance&)>;
  // Needs an initialised toolkit. `onChange` runs on the main loop whenever current() changes.
  explicit DesktopAppearance(OnChange onChange);
  ~DesktopAppearance();
  DesktopAppearance(const DesktopAppearance&) = delete;
  DesktopAppearance& operator=(const DesktopAppearance&) = delete;

  const Appearance& current() const { return current_; }

 private:
  static void busReady(GObject* source, GAsyncResult* result, gpointer self);
  static void readDone(GObject* source, GAsyncResult* result, gpointer self);
  static void settingChanged(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                             GVariant* parameters, gpointer self);
  static void settingsNotify(GObject*, GParamSpec*, gpointer self);
  Appearance resolve() const;
  void update();

  OnChange onChange_;
  Appearance current_ = Appearance::light();
  std::optional<std::uint32_t> portalScheme_;
  GCancellable* cancellable_ = nullptr;
  GDBusConnection* bus_ = nullptr;
  guint subscription_ = 0;
  GtkSettings* settings_ = nullptr;
  gulong themeHandler_ = 0, preferDarkHandler_ = 0;
};

}  // namespace host
