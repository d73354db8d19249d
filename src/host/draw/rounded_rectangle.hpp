#pragma once
// The path of a rectangle with rounded corners, for every drawing of a rounded shape: the drawer's
// capsules, the live widget's window and the gallery's tiles.
#include <cairo.h>

#include "host/view/geometry.hpp"

namespace host {

// Adds `rect` with corners of `radius` (at most half its shorter side) to the current path as a
// closed sub-path, clockwise from the top edge's end.
void roundedRectanglePath(cairo_t* cr, const Rect& rect, double radius);

}  // namespace host
