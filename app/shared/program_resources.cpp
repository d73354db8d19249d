#include "shared/program_resources.hpp"

#include "host/locale/gettext_string_catalog.hpp"
#include "host/platform/resource_directory.hpp"

namespace {
constexpr const char* kTextDomain = "zuvo-widgets";
constexpr host::ResourceLocation kResources{.program = "zuvo-widgets", .overrideVariable = "ZUVO_RESOURCE_DIR"};
}  // namespace

std::optional<std::filesystem::path> programResourceDirectory() { return host::resourceDirectory(kResources); }

std::unique_ptr<host::StringCatalog> programStringCatalog() {
  if (auto resources = programResourceDirectory())
    return std::make_unique<host::GettextStringCatalog>(*resources / "locale", kTextDomain);
  return std::make_unique<host::KeyOnlyStringCatalog>();
}
