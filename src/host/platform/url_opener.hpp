#pragma once
// Hands a URL to the desktop, which opens it in the application registered for its scheme.
#include <optional>
#include <string>
#include <string_view>

#include "host/platform/url.hpp"

namespace host {

// Runs `opener URL` (found on PATH; xdg-open by default) with the URL as its one argument, never
// through a shell, and waits for it to finish. Empty when the opener ran and exited with 0, else
// what went wrong.
std::optional<std::string> openOnDesktop(const Url& url, std::string_view opener = "xdg-open");

}  // namespace host
