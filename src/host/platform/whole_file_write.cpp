#include "host/platform/whole_file_write.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace host {
namespace {

constexpr int kNameAttempts = 64;

std::string systemReason(int error) { return std::strerror(error); }

// ".widget.pdf.3fa9c2-tmp" beside the target: hidden, and never taken for a finished file.
std::filesystem::path temporaryName(const std::filesystem::path& target, std::random_device& random) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string suffix;
  for (unsigned bits = random(), i = 0; i < 6; ++i, bits >>= 4) suffix += kDigits[bits & 0xF];
  return target.parent_path() / ("." + target.filename().string() + "." + suffix + "-tmp");
}

}  // namespace

WholeFileWriter::WholeFileWriter(std::filesystem::path target) : target_(std::move(target)) {
  if (target_.filename().empty()) {
    fail(systemReason(EISDIR));
    return;
  }
  struct stat existing {};
  if (::lstat(target_.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) && !S_ISLNK(existing.st_mode)) {
    fail(S_ISDIR(existing.st_mode) ? systemReason(EISDIR) : "not a regular file");
    return;
  }
  std::random_device random;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::filesystem::path name = temporaryName(target_, random);
    // The umask applies to 0666, as for any file a program creates.
    fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd_ >= 0) {
      temporary_ = std::move(name);
      return;
    }
    if (errno != EEXIST) break;
  }
  fail(systemReason(errno));
}

WholeFileWriter::~WholeFileWriter() { discard(); }

void WholeFileWriter::fail(std::string reason) {
  if (error_.empty()) error_ = std::move(reason);
  discard();
}

void WholeFileWriter::discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

bool WholeFileWriter::write(const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (fd_ >= 0 && size > 0) {
    const ssize_t n = ::write(fd_, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      fail(systemReason(n < 0 ? errno : EIO));
      break;
    }
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
  return fd_ >= 0;
}

bool WholeFileWriter::commit() {
  if (fd_ < 0) return false;
  // fsync reports write errors a file system defers (quota, NFS) and keeps a crash from leaving
  // the renamed file empty.
  if (::fsync(fd_) != 0 && errno != EINVAL) {
    fail(systemReason(errno));
    return false;
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    fail(systemReason(errno));
    return false;
  }
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    fail(systemReason(errno));
    return false;
  }
  temporary_.clear();
  return true;
}

bool writeWholeFile(const std::filesystem::path& target, std::string_view bytes, std::string* error) {
  WholeFileWriter file(target);
  if (file.write(bytes) && file.commit()) return true;
  if (error) *error = file.error();
  return false;
}

}  // namespace host
