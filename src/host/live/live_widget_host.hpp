#pragma once
// A widget kept live on the desktop: one window per application id, fed by the widget's content
// source. The host asks the source for content at start, again at the moment the content names,
// whenever the watched file changes, and lays the content out again when the desktop's appearance
// changes (colours resolve at layout). Between those it idles: no timer runs but the next reload.
//
//   runLiveWidget({.applicationId = "org.example.Clock.small", .window = {...}},
//                 [] { return LiveContent{clockView(), nextMinute()}; },
//                 [&](const View& v, const Appearance& a) { return layOut(v, a); }, drawer);
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "host/draw/cairo_drawer.hpp"
#include "host/layout/layout_tree.hpp"
#include "host/live/live_window.hpp"
#include "host/platform/instant.hpp"
#include "host/view/appearance.hpp"
#include "host/view/view.hpp"

namespace host {

struct LiveContent {
  View view{};
  std::optional<Instant> reloadAt{};  // when to ask for content again; none: only on file changes
};

struct LiveWidgetOptions {
  std::string applicationId;  // one running instance per id; a second start leaves the first alone
  LiveWindowOptions window{};
  std::optional<Appearance> appearance{};  // none: follow the desktop's dark or light setting
  std::optional<std::filesystem::path> watchedFile{};  // reload when it is replaced, changed or removed
};

using LoadContent = std::function<LiveContent()>;
using LayOutContent = std::function<LayoutTree(const View&, const Appearance&)>;

// Starts the toolkit on the display the environment names; false when that cannot be opened.
bool openDisplay();

// Runs the main loop until the window is closed or the process is told to stop; the exit status.
int runLiveWidget(const LiveWidgetOptions& options, LoadContent load, LayOutContent layOut, CairoDrawer& drawer);

}  // namespace host
