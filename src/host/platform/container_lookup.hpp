#pragma once
// The shared container of an application group: the directory that the group's applications and
// extensions all read and write. On Linux it is "$XDG_DATA_HOME/<group identifier>", where an
// unset, empty or relative XDG_DATA_HOME means "$HOME/.local/share" (the XDG base directory rule).
// The container is where it would be whether or not its directory exists yet: the application
// creates it when it first writes, and a reader that watches for the file must know the place
// before then. Nothing is ever created here.
#include <filesystem>
#include <optional>
#include <string_view>

namespace host {

// Where the container is: none only when no data directory can be named, or when the identifier
// could climb out of it.
std::optional<std::filesystem::path> containerLocation(std::string_view groupIdentifier);

}  // namespace host
