#pragma once
// Hand-built laid-out trees and pixel reading for the drawing tests.
#include <cairo.h>

#include <cstdint>
#include <ostream>

#include "host/layout/layout_tree.hpp"

namespace host::drawing_test {

// A flat tree: a root rectangle of `size` filled with `background`, then the given nodes as its children.
inline LayoutTree flatTree(Size size, Rgba background, std::vector<LayoutNode> children) {
  LayoutTree tree{.size = size, .nodes = {}};
  tree.nodes.push_back({LayoutKind::rectangle, kNoParent, 0, children.size() + 1, {0, 0, size.width, size.height},
                        RectangleFill{background}});
  for (LayoutNode& child : children) {
    child.parent = 0;
    child.depth = 1;
    child.subtreeEnd = tree.nodes.size() + 1;
    tree.nodes.push_back(std::move(child));
  }
  return tree;
}

struct Pixel {
  int r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Pixel&) const = default;
  friend std::ostream& operator<<(std::ostream& os, const Pixel& p) {
    return os << "rgba(" << p.r << "," << p.g << "," << p.b << "," << p.a << ")";
  }
};

// Un-premultiplied colour of one pixel of an ARGB32 image surface.
inline Pixel pixelAt(cairo_surface_t* surface, int x, int y) {
  const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
  const std::uint32_t v = reinterpret_cast<const std::uint32_t*>(row)[x];
  const int a = v >> 24;
  auto channel = [a](int c) { return a == 0 ? 0 : (c * 255 + a / 2) / a; };
  return {channel((v >> 16) & 0xff), channel((v >> 8) & 0xff), channel(v & 0xff), a};
}

}  // namespace host::drawing_test
