#pragma once
// A laid-out tree as JSON, for the `layout` command and for tests that read what a widget shows.
//
//   {"size": {"width": 170, "height": 170},
//    "widgetURL": "app://pane" | null,
//    "root": NODE}
//
// NODE: {"kind": <name(LayoutKind)>, "frame": {"x", "y", "width", "height"}, ...what it shows...,
//        "children": [NODE, ...]}   (children omitted when there are none)
// Frames are absolute, in points from the widget's top-left. What a node shows, by kind:
//   text       "text" (as drawn, with "…" when cut off), "font", "tabular", "color",
//              "lineLimit" (number or null), "truncated", "lineCount"
//   symbol     "name", "font", "color"
//   image      "name"
//   rectangle  "fill"
//   capsule    "fill" and/or "stroke" with "lineWidth" (the stroke lies inside the frame)
//   link       "url"
//   accessibility  "label" (string or null), "childrenHidden"
//   identity   "id"
// "font" is {"size": 12, "weight": "regular"|"medium"|"semibold"|"bold", "design": "default"|"rounded"};
// colours are "#RRGGBB", or "#RRGGBBAA" when not opaque.
#include <string>

#include "host/platform/json_writer.hpp"
#include "host/layout/layout_tree.hpp"

namespace host {

// Writes the members "size", "widgetURL" and "root" into an object the caller has opened, so the
// caller may add members of its own (the widget family, say) before or after them.
void writeLayoutMembers(JsonWriter& out, const LayoutTree& tree);

// The whole tree as one JSON object of exactly those three members.
std::string layoutJson(const LayoutTree& tree);

}  // namespace host
