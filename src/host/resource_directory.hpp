#pragma once
// Where the program's resources (images, symbols, message catalogs) live at run time. Found
// relative to the running executable, so the build tree and an installed copy work alike and no
// build path is compiled in:
//   1. $ZUVO_RESOURCE_DIR, when set and not empty;
//   2. <exe_dir>/share/zuvo-widgets (the build tree: executables sit in the build root);
//   3. <exe_dir>/../share/zuvo-widgets (installed: bin/ next to share/).
#include <filesystem>
#include <optional>

namespace host {

inline constexpr const char* kResourceDirVariable = "ZUVO_RESOURCE_DIR";

// The first candidate above that is an existing directory, or none. Read afresh on every call.
std::optional<std::filesystem::path> resourceDirectory();

// The same search from a given executable directory and override, for tests.
std::optional<std::filesystem::path> resourceDirectory(const std::filesystem::path& executableDir,
                                                       const char* overrideDir);

// The directory of the running executable (/proc/self/exe), or none.
std::optional<std::filesystem::path> executableDirectory();

}  // namespace host
