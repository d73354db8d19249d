#include "host/layout/layout_tree.hpp"

#include <iterator>

namespace host {

std::string_view name(LayoutKind kind) {
  static constexpr std::string_view kNames[] = {
#define HOST_LAYOUT_KIND_NAME(kind) #kind,
      HOST_LAYOUT_KINDS(HOST_LAYOUT_KIND_NAME)
#undef HOST_LAYOUT_KIND_NAME
  };
  const auto index = static_cast<std::size_t>(kind);
  return index < std::size(kNames) ? kNames[index] : "zstack";
}

}  // namespace host
