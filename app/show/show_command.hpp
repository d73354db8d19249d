#pragma once
// show: the status widget in a window on the desktop, kept up to date (host/live).
#include "host/kit/widget_bundle.hpp"
#include "shared/show_options.hpp"

int runShow(const ShowOptions& options, const host::AnyWidgetBundle& bundle);
