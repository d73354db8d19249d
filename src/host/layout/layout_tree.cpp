#include "host/layout/layout_tree.hpp"

namespace host {

std::string_view name(LayoutKind kind) {
  switch (kind) {
    case LayoutKind::vstack: return "vstack";
    case LayoutKind::hstack: return "hstack";
    case LayoutKind::zstack: return "zstack";
    case LayoutKind::spacer: return "spacer";
    case LayoutKind::frame: return "frame";
    case LayoutKind::padding: return "padding";
    case LayoutKind::background: return "background";
    case LayoutKind::geometryReader: return "geometryReader";
    case LayoutKind::label: return "label";
    case LayoutKind::text: return "text";
    case LayoutKind::symbol: return "symbol";
    case LayoutKind::image: return "image";
    case LayoutKind::rectangle: return "rectangle";
    case LayoutKind::capsule: return "capsule";
    case LayoutKind::link: return "link";
    case LayoutKind::accessibility: return "accessibility";
    case LayoutKind::identity: return "identity";
  }
  return "zstack";
}

}  // namespace host
