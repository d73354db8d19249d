#include "program_resources.hpp"

#include "host/gettext_string_catalog.hpp"
#include "host/resource_directory.hpp"

namespace {
constexpr const char* kTextDomain = "zuvo-widgets";
}

std::unique_ptr<host::StringCatalog> programStringCatalog() {
  if (auto resources = host::resourceDirectory())
    return std::make_unique<host::GettextStringCatalog>(*resources / "locale", kTextDomain);
  return std::make_unique<host::KeyOnlyStringCatalog>();
}
