#pragma once
// A widget kept live on the desktop: one window per application id, fed by the widget's content
// source. The host asks the source for content at start, again at the moment the content names,
// whenever the watched file changes, and lays the content out again when the desktop's appearance
// changes (colours resolve at layout). Between those it idles: no timer runs but the next reload.
//
//   runLiveWidget({.applicationId = "org.example.Clock.small", .window = {...}},
//                 [] { return LiveContent{clockView(), nextMinute()}; },
//                 [&](const View& v, const Appearance& a) { return layOut(v, a); }, drawer);
#include <chrono>
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
  std::optional<View> view{};  // none: keep what is shown, and ask again at reloadAt
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

// Starts the toolkit on the display the environment names; false when that cannot be opened. From
// then on, losing an X display ends the process with one line, `error: show: the display NAME
// closed`, and exit status 1, not the toolkit's own words.
bool openDisplay();

// Runs the main loop until the window is closed, the process is told to stop, or the widget is
// asked to quit over D-Bus (its application's "quit" action); the exit status. When the session
// bus goes away the widget says so in one line, `error: show: the session bus closed`, and ends
// with 1, so that a supervisor that restarts on failure starts it again.
int runLiveWidget(const LiveWidgetOptions& options, LoadContent load, LayOutContent layOut, CairoDrawer& drawer);

// Asks the running widget of `applicationId`, if there is one, to quit through its application's
// own D-Bus interface, and waits up to `patience` for it to leave the bus. Empty on success, also
// when none runs; else why not.
std::optional<std::string> stopLiveWidget(const std::string& applicationId, std::chrono::milliseconds patience);

}  // namespace host
