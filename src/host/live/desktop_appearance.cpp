#include "host/live/desktop_appearance.hpp"

#include <cstdlib>
#include <cstring>
#include <string>

#include "host/live/appearance_choice.hpp"

namespace host {

namespace {
constexpr const char* kPortalName = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kSettingsInterface = "org.freedesktop.portal.Settings";
constexpr const char* kAppearanceNamespace = "org.freedesktop.appearance";
constexpr const char* kColorScheme = "color-scheme";
constexpr int kPortalTimeoutMs = 1000;
}  // namespace

DesktopAppearance::DesktopAppearance(OnChange onChange) : onChange_(std::move(onChange)) {
  settings_ = gtk_settings_get_default();
  if (settings_) {
    themeHandler_ = g_signal_connect(settings_, "notify::gtk-theme-name", G_CALLBACK(&settingsNotify), this);
    preferDarkHandler_ =
        g_signal_connect(settings_, "notify::gtk-application-prefer-dark-theme", G_CALLBACK(&settingsNotify), this);
  }
  cancellable_ = g_cancellable_new();
  current_ = resolve();
  g_bus_get(G_BUS_TYPE_SESSION, cancellable_, &busReady, this);
}

DesktopAppearance::~DesktopAppearance() {
  g_cancellable_cancel(cancellable_);
  g_object_unref(cancellable_);
  if (bus_) {
    if (subscription_) g_dbus_connection_signal_unsubscribe(bus_, subscription_);
    g_object_unref(bus_);
  }
  if (settings_) {
    g_signal_handler_disconnect(settings_, themeHandler_);
    g_signal_handler_disconnect(settings_, preferDarkHandler_);
  }
}

// Async callbacks are cancelled before `self` goes away; a cancelled one must not touch it.
void DesktopAppearance::busReady(GObject*, GAsyncResult* result, gpointer data) {
  GError* error = nullptr;
  GDBusConnection* bus = g_bus_get_finish(result, &error);
  if (!bus) {
    g_clear_error(&error);  // no session bus: the fallback stays
    return;
  }
  auto* self = static_cast<DesktopAppearance*>(data);
  self->bus_ = bus;
  self->subscription_ = g_dbus_connection_signal_subscribe(
      bus, kPortalName, kSettingsInterface, "SettingChanged", kPortalPath, kAppearanceNamespace,
      G_DBUS_SIGNAL_FLAGS_NONE, &settingChanged, self, nullptr);
  g_dbus_connection_call(bus, kPortalName, kPortalPath, kSettingsInterface, "Read",
                         g_variant_new("(ss)", kAppearanceNamespace, kColorScheme), G_VARIANT_TYPE("(v)"),
                         G_DBUS_CALL_FLAGS_NONE, kPortalTimeoutMs, self->cancellable_, &readDone, self);
}

void DesktopAppearance::readDone(GObject* source, GAsyncResult* result, gpointer data) {
  GError* error = nullptr;
  GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
  if (!reply) {
    g_clear_error(&error);  // no portal, or it does not know the key: the fallback stays
    return;
  }
  auto* self = static_cast<DesktopAppearance*>(data);
  // A change signalled while the read was under way is newer than this answer.
  if (!self->portalScheme_) self->portalScheme_ = portalColorScheme(reply);
  g_variant_unref(reply);
  self->update();
}

void DesktopAppearance::settingChanged(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                                       GVariant* parameters, gpointer data) {
  if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ssv)"))) return;
  const gchar* nameSpace = nullptr;
  const gchar* key = nullptr;
  GVariant* value = nullptr;
  g_variant_get(parameters, "(&s&sv)", &nameSpace, &key, &value);
  auto* self = static_cast<DesktopAppearance*>(data);
  if (std::strcmp(nameSpace, kAppearanceNamespace) == 0 && std::strcmp(key, kColorScheme) == 0) {
    GVariant* wrapped = g_variant_ref_sink(g_variant_new_variant(value));
    if (auto scheme = portalColorScheme(wrapped)) self->portalScheme_ = scheme;
    g_variant_unref(wrapped);
    self->update();
  }
  g_variant_unref(value);
}

void DesktopAppearance::settingsNotify(GObject*, GParamSpec*, gpointer data) {
  static_cast<DesktopAppearance*>(data)->update();
}

Appearance DesktopAppearance::resolve() const {
  gboolean preferDark = FALSE;
  gchar* themeName = nullptr;
  if (settings_)
    g_object_get(settings_, "gtk-application-prefer-dark-theme", &preferDark, "gtk-theme-name", &themeName, nullptr);
  const char* variable = std::getenv("GTK_THEME");
  Appearance next = chooseAppearance(portalScheme_, variable ? variable : "",
                                     {.preferDark = preferDark != FALSE, .themeName = themeName ? themeName : ""});
  g_free(themeName);
  return next;
}

void DesktopAppearance::update() {
  Appearance next = resolve();
  if (next == current_) return;
  current_ = std::move(next);
  if (onChange_) onChange_(current_);
}

}  // namespace host
