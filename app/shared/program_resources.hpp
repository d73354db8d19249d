#pragma once
// The program's installed resources, found beside the executable (host/resource_directory.hpp).
#include <filesystem>
#include <memory>
#include <optional>

#include "host/view/string_catalog.hpp"

// share/zuvo-widgets beside the program, or $ZUVO_RESOURCE_DIR; none when neither exists.
std::optional<std::filesystem::path> programResourceDirectory();

// The string catalog of the extension's default string table: the compiled gettext catalogs of
// the resource directory, or the untranslated keys when there is no resource directory.
std::unique_ptr<host::StringCatalog> programStringCatalog();
