#pragma once
// The status widget as the host draws it: found among the bundle's widgets, fed through the
// provider and the content step of its declaration. Every command that draws the status widget
// gets its content view here.
#include <optional>
#include <string>

#include "host/view/view.hpp"
#include "host/kit/widget_bundle.hpp"

// Where the status of one drawing comes from.
struct StatusSource {
  std::string statusFile;  // a status file the host was handed
  bool sample = false;     // the provider's placeholder: the sample status, no file read
  bool empty = false;      // the empty status
  // None of these: the provider's timeline, i.e. the status file of the shared container.
};

// The bundle's widget of the status kind.
host::WidgetConfiguration statusWidgetDeclaration(const host::AnyWidgetBundle& bundle);

// The content view of one drawing; none, with a message on stderr, when a named status file cannot
// be read or decoded (the provider's own road never fails: it falls back to the empty status).
std::optional<host::View> statusWidgetContent(const host::WidgetConfiguration& widget, const StatusSource& source);
