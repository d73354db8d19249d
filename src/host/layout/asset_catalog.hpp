#pragma once
// Named image assets of the extension's resources, as the layout engine sees them.
#include <optional>
#include <string_view>

#include "host/view/geometry.hpp"

namespace host {

class AssetCatalog {
 public:
  virtual ~AssetCatalog() = default;
  // The intrinsic size of the named image, or none when there is no such image.
  virtual std::optional<Size> imageSize(std::string_view name) const = 0;
};

}  // namespace host
