#pragma once
// Encoding of the status document, for whoever writes it: compact JSON with the keys in field order,
// absent fields left out (never null), integers as integers, and every float written so that it
// reads back to the identical 64-bit float.
#include <string>

#include "document/widget_status.hpp"
#include "host/platform/json_writer.hpp"

namespace zuvo {

void writeStatus(host::JsonWriter& writer, const WidgetStatus& status);
std::string encodeStatus(const WidgetStatus& status);

}  // namespace zuvo
