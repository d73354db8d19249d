#pragma once
// Where a program's resources (images, symbols, message catalogs) live at run time. Found relative
// to the running executable, so the build tree and an installed copy work alike and no build path
// is compiled in. For a program named P with the override variable V:
//   1. $V, when set, not empty and an existing directory;
//   2. <exe_dir>/share/P (the build tree: executables sit in the build root);
//   3. <exe_dir>/../share/P (installed: bin/ next to share/);
//   4. <exe_dir>/../../share/P (a helper program in libexec/P/, built or installed).
#include <filesystem>
#include <optional>
#include <string_view>

namespace host {

struct ResourceLocation {
  std::string_view program;           // the folder name under share/
  const char* overrideVariable = "";  // an environment variable naming another folder
};

// The first candidate above that is an existing directory, or none. Read afresh on every call.
std::optional<std::filesystem::path> resourceDirectory(const ResourceLocation& location);

// The same search from a given executable directory and override value, for tests.
std::optional<std::filesystem::path> resourceDirectory(const std::filesystem::path& executableDir,
                                                       std::string_view program, const char* overrideDir);

// The directory of the running executable (/proc/self/exe), or none.
std::optional<std::filesystem::path> executableDirectory();

}  // namespace host
