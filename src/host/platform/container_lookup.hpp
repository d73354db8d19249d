#pragma once
// The shared container of an application group: the directory that the group's applications and
// extensions all read and write. On Linux it is "$XDG_DATA_HOME/<group identifier>", where an
// unset, empty or relative XDG_DATA_HOME means "$HOME/.local/share" (the XDG base directory rule).
// The container exists when that directory does; nothing is ever created.
#include <filesystem>
#include <optional>
#include <string_view>

namespace host {

// Where the container is, or would be: none only when no data directory can be named.
std::optional<std::filesystem::path> containerLocation(std::string_view groupIdentifier);
// The container when that directory exists, else none.
std::optional<std::filesystem::path> containerURL(std::string_view groupIdentifier);

}  // namespace host
