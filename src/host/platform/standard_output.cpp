#include "host/platform/standard_output.hpp"

#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace host {

// Writes straight to descriptor 1 and remembers the first error: once a write has failed, later
// output is dropped, so a reader never gets an answer with a hole in it.
class CheckedStandardOutput::Buffer : public std::streambuf {
 public:
  Buffer() { setp(space_.data(), space_.data() + space_.size()); }

  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

  int sync() override { return drain() ? 0 : -1; }

 private:
  bool drain() {
    const char* data = pbase();
    std::size_t left = static_cast<std::size_t>(pptr() - pbase());
    setp(space_.data(), space_.data() + space_.size());
    while (error_ == 0 && left > 0) {
      const ssize_t n = ::write(STDOUT_FILENO, data, left);
      if (n > 0) {
        data += n;
        left -= static_cast<std::size_t>(n);
      } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        // A descriptor left non-blocking by whoever gave it to us: wait until it takes more.
        pollfd ready{.fd = STDOUT_FILENO, .events = POLLOUT, .revents = 0};
        ::poll(&ready, 1, -1);
      } else if (n < 0 && errno != EINTR) {
        error_ = errno;
      } else if (n == 0) {
        error_ = EIO;
      }
    }
    return error_ == 0;
  }

  std::array<char, 16 * 1024> space_{};
  int error_ = 0;
};

CheckedStandardOutput::CheckedStandardOutput()
    : buffer_(std::make_unique<Buffer>()), previous_(std::cout.rdbuf(buffer_.get())) {}

CheckedStandardOutput::~CheckedStandardOutput() {
  std::cout.flush();
  std::cout.rdbuf(previous_);
}

std::optional<std::string> CheckedStandardOutput::finish() {
  std::cout.flush();
  if (buffer_->error() != 0) return std::strerror(buffer_->error());
  // Anything written through C's stdio goes its own way; it has to have arrived too.
  if (std::fflush(stdout) != 0) return std::strerror(errno);
  if (std::ferror(stdout)) return std::string("a write failed");
  return std::nullopt;
}

}  // namespace host
