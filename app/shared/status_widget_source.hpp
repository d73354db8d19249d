#pragma once
// The status widget as the host draws it: found among the bundle's widgets, fed through the
// provider and the content step of its declaration. Every command that draws the status widget
// gets its content view here.
#include <optional>
#include <string>

#include "shared/draw_options.hpp"  // StatusSource
#include "host/view/view.hpp"
#include "host/kit/widget_bundle.hpp"

// The bundle's widget of the status kind.
host::WidgetConfiguration statusWidgetDeclaration(const host::AnyWidgetBundle& bundle);

// The content view of one drawing; none, with a message on stderr, when a named status file cannot
// be read or decoded (the provider's own road never fails: it falls back to the empty status).
std::optional<host::View> statusWidgetContent(const host::WidgetConfiguration& widget, const StatusSource& source);
