#include "host/live/uri_launcher.hpp"

#include <glib.h>
#include <sys/wait.h>

#include <iostream>

namespace host {

namespace {

std::vector<std::string>& hiddenVariables() {
  static std::vector<std::string> variables;
  return variables;
}

struct PendingOpen {
  std::string url;
  std::string opener;
};

void reaped(GPid pid, gint status, gpointer data) {
  auto* pending = static_cast<PendingOpen*>(data);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    std::cerr << "error: open: " << pending->opener << " " << pending->url << " failed\n";
  g_spawn_close_pid(pid);
  delete pending;
}

}  // namespace

void hideFromOpenedApplications(std::vector<std::string> variables) { hiddenVariables() = std::move(variables); }

void openUrlAsync(const Url& url, const std::string& opener) {
  auto* pending = new PendingOpen{url.string(), opener};
  gchar* argv[] = {pending->opener.data(), pending->url.data(), nullptr};
  GPid pid = 0;
  GError* error = nullptr;
  const auto flags = static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD |
                                              G_SPAWN_STDIN_FROM_DEV_NULL);
  gchar** environment = g_get_environ();
  for (const std::string& variable : hiddenVariables()) environment = g_environ_unsetenv(environment, variable.c_str());
  const bool spawned = g_spawn_async(nullptr, argv, environment, flags, nullptr, nullptr, &pid, &error);
  g_strfreev(environment);
  if (!spawned) {
    std::cerr << "error: open: " << opener << ": " << (error ? error->message : "cannot start") << "\n";
    g_clear_error(&error);
    delete pending;
    return;
  }
  g_child_watch_add(pid, &reaped, pending);
}

}  // namespace host
