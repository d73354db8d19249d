#pragma once
// Runs the watch program as a child with a pipe on its output and its error stream, under a
// temporary XDG_DATA_HOME, and reads its lines with deadlines.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class WatchProcess {
 public:
  // `environment` holds extra "NAME=value" entries; the locale variables are otherwise unset.
  // A `pipeSize` other than 0 sets the capacity of the output pipe (at least a page).
  WatchProcess(const std::filesystem::path& dataHome, const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment = {}, int pipeSize = 0) {
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return;
    if (pipeSize > 0) ::fcntl(out[0], F_SETPIPE_SZ, pipeSize);
    std::vector<std::string> args{ZUVO_WATCH_PROGRAM, "watch"};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<std::string> env{"PATH=/usr/bin:/bin", "HOME=" + dataHome.string(), "XDG_DATA_HOME=" + dataHome.string()};
    env.insert(env.end(), environment.begin(), environment.end());
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      ::dup2(err[1], STDERR_FILENO);
      std::vector<char*> argv, envp;
      for (auto& a : args) argv.push_back(a.data());
      for (auto& e : env) envp.push_back(e.data());
      argv.push_back(nullptr);
      envp.push_back(nullptr);
      ::execve(argv[0], argv.data(), envp.data());
      ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    out_ = out[0];
    err_ = err[0];
  }
  ~WatchProcess() {
    if (pid_ > 0 && !exited_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) ::close(out_);
    if (err_ >= 0) ::close(err_);
  }
  WatchProcess(const WatchProcess&) = delete;
  WatchProcess& operator=(const WatchProcess&) = delete;

  pid_t pid() const { return pid_; }

  // The next whole line, or none when none comes within `timeout`.
  std::optional<std::string> line(std::chrono::milliseconds timeout = std::chrono::milliseconds(3000)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
      if (const auto end = pending_.find('\n'); end != std::string::npos) {
        std::string text = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        return text;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (out_ < 0 || left.count() <= 0) return std::nullopt;
      pollfd fd{out_, POLLIN, 0};
      if (::poll(&fd, 1, static_cast<int>(left.count())) <= 0) continue;
      char buffer[4096];
      const ssize_t n = ::read(out_, buffer, sizeof buffer);
      if (n <= 0) return std::nullopt;
      pending_.append(buffer, static_cast<std::size_t>(n));
    }
  }

  void closeOutput() {
    ::close(out_);
    out_ = -1;
  }

  // Signals the child (unless `signal` is 0) and gives its exit status, or -1 when it does not
  // exit normally within `timeout`.
  int stop(int signal = SIGTERM, std::chrono::milliseconds timeout = std::chrono::milliseconds(3000)) {
    if (signal != 0) ::kill(pid_, signal);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) return -1;
      ::usleep(10000);
    }
    exited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Everything the child wrote on its error stream (after it exited).
  std::string errors() {
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(err_, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
    return text;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1, err_ = -1;
  bool exited_ = false;
  std::string pending_;
};
