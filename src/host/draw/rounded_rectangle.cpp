#include "host/draw/rounded_rectangle.hpp"

#include <cmath>

namespace host {

void roundedRectanglePath(cairo_t* cr, const Rect& rect, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, rect.maxX() - radius, rect.y + radius, radius, -M_PI / 2, 0);
  cairo_arc(cr, rect.maxX() - radius, rect.maxY() - radius, radius, 0, M_PI / 2);
  cairo_arc(cr, rect.x + radius, rect.maxY() - radius, radius, M_PI / 2, M_PI);
  cairo_arc(cr, rect.x + radius, rect.y + radius, radius, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

}  // namespace host
