#include "host/platform/url_opener.hpp"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace host {

std::optional<std::string> openOnDesktop(const Url& url, std::string_view opener) {
  std::string program(opener);
  std::string argument = url.string();
  char* argv[] = {program.data(), argument.data(), nullptr};

  pid_t pid = 0;
  if (int error = posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ); error != 0)
    return program + ": " + std::strerror(error);

  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return program + ": " + std::strerror(errno);
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return std::nullopt;
  if (WIFEXITED(status)) return program + " exited with status " + std::to_string(WEXITSTATUS(status));
  return program + " was ended by signal " + std::to_string(WTERMSIG(status));
}

}  // namespace host
