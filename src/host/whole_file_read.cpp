#include "host/whole_file_read.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace host {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

bool sameVersion(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
         a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// Reads the file a second time and compares. A read that overlapped a write in progress tears
// between old and new bytes. Before the second read, seeking to a hole waits for writes under way:
// on ext4, xfs and btrfs it takes the lock that a write holds for its whole length (and changes
// nothing). The second read then sees any write that overlapped the first one finished, and so
// differs from a torn first read. Timestamps cannot show such a write when it began before the
// first stat.
bool readsTheSameAgain(int fd, std::string_view first) {
  if (::lseek(fd, 0, SEEK_HOLE) < 0) return false;
  std::array<char, 4096> chunk;
  std::size_t offset = 0;
  while (offset < first.size()) {
    const std::size_t want = std::min(chunk.size(), first.size() - offset);
    const ssize_t n = ::pread(fd, chunk.data(), want, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || std::memcmp(chunk.data(), first.data() + offset, static_cast<std::size_t>(n)) != 0) return false;
    offset += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<FileBytes> readWholeRegularFile(const std::filesystem::path& path, std::size_t maxSize,
                                              std::size_t padding) {
  // O_NONBLOCK: opening a FIFO with no writer returns at once instead of waiting for one.
  // O_NOCTTY: a terminal at the path never becomes our controlling terminal.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) return std::nullopt;
  struct stat before {};
  if (::fstat(file.get(), &before) != 0 || !S_ISREG(before.st_mode)) return std::nullopt;
  if (before.st_size < 0 || static_cast<std::size_t>(before.st_size) > maxSize) return std::nullopt;

  FileBytes result;
  result.size = static_cast<std::size_t>(before.st_size);
  result.buffer.resize(result.size + padding);
  std::size_t done = 0;
  while (done < result.size) {
    const ssize_t n = ::read(file.get(), result.buffer.data() + done, result.size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;  // an error, or the file was cut short while we read it
    done += static_cast<std::size_t>(n);
  }
  if (!readsTheSameAgain(file.get(), result.bytes())) return std::nullopt;
  // A write that began after the first stat has moved the size or a timestamp.
  struct stat after {};
  if (::fstat(file.get(), &after) != 0 || !sameVersion(before, after)) return std::nullopt;
  return result;
}

}  // namespace host
