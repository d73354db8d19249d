#pragma once
// Localisable keys become display text here: the key is looked up in a catalog and the result
// formatted with the key's arguments. Without a translation the key itself is formatted.
#include <string>

#include "host/view/localized_string.hpp"

namespace host {

class StringCatalog {
 public:
  virtual ~StringCatalog() = default;
  virtual std::string format(const LocalizedKey& key) const = 0;
};

}  // namespace host
