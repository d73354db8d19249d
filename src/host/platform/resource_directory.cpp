#include "host/platform/resource_directory.hpp"

#include <cstdlib>
#include <system_error>

namespace host {
namespace {

bool isDirectory(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

}  // namespace

std::optional<std::filesystem::path> executableDirectory() {
  std::error_code error;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || exe.empty()) return std::nullopt;
  return exe.parent_path();
}

std::optional<std::filesystem::path> resourceDirectory(const std::filesystem::path& executableDir,
                                                       std::string_view program, const char* overrideDir) {
  // An explicit override is taken at its word only when it exists; otherwise the usual places.
  if (overrideDir && *overrideDir && isDirectory(overrideDir)) return std::filesystem::path(overrideDir);
  if (executableDir.empty()) return std::nullopt;  // never guess relative to the working directory
  // Beside a program in the build root, in bin/, or in libexec/<program>/ (a command group's program).
  for (const auto& candidate : {executableDir / "share" / program, executableDir / ".." / "share" / program,
                                executableDir / ".." / ".." / "share" / program}) {
    if (isDirectory(candidate)) return candidate.lexically_normal();
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> resourceDirectory(const ResourceLocation& location) {
  const char* overrideDir = *location.overrideVariable ? std::getenv(location.overrideVariable) : nullptr;
  return resourceDirectory(executableDirectory().value_or(std::filesystem::path()), location.program, overrideDir);
}

}  // namespace host
