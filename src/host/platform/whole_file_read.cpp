#include "host/platform/whole_file_read.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

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

// A write sets the modification time (to the same moment as the change time). The change time
// itself is not compared: it also moves when the file is renamed, or loses its name because a new
// file is renamed over it, which leaves its bytes alone.
bool sameVersion(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

std::optional<FileBytes> refuse(ReadRefusal why, ReadRefusal* refusal) {
  if (refusal) *refusal = why;
  return std::nullopt;
}

// Why a read never mixes two versions. A write sets the file's times when it begins. Any write that
// overlaps our read either began before the stat in `before` or after it:
// - before: seeking to a hole then waits for it to finish, since on ext4, xfs, btrfs and tmpfs that
//   seek takes the lock a write holds for its whole length (and changes nothing). Seeking from the
//   end of the file takes the lock and answers at once (ENXIO) without walking the extents;
// - after: it has moved the modification time by the second stat. Since Linux 6.13 these file
//   systems give a change that follows a stat a finer time than the one that stat saw, so even a
//   write in the same clock tick shows.
// Comparing times alone misses the first case; a test with a writer rewriting in place shows it.
std::optional<FileBytes> readRegular(int fd, const struct stat& before, std::size_t maxSize, std::size_t padding,
                                     ReadRefusal* refusal) {
  if (before.st_size < 0 || static_cast<std::size_t>(before.st_size) > maxSize)
    return refuse(ReadRefusal::tooLarge, refusal);
  if (::lseek(fd, before.st_size, SEEK_HOLE) < 0 && errno != ENXIO) return refuse(ReadRefusal::unreadable, refusal);

  FileBytes result;
  result.size = static_cast<std::size_t>(before.st_size);
  result.buffer.resize(result.size + padding);
  std::size_t done = 0;
  while (done < result.size) {
    const ssize_t n = ::pread(fd, result.buffer.data() + done, result.size - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return refuse(ReadRefusal::unreadable, refusal);  // an error, or the file was cut short
    done += static_cast<std::size_t>(n);
  }
  struct stat after {};
  if (::fstat(fd, &after) != 0 || !sameVersion(before, after)) return refuse(ReadRefusal::unreadable, refusal);
  return result;
}

}  // namespace

std::optional<FileBytes> readWholeRegularFile(const std::filesystem::path& path, std::size_t maxSize,
                                              std::size_t padding, ReadRefusal* refusal) {
  // O_NONBLOCK: opening a FIFO with no writer returns at once instead of waiting for one.
  // O_NOCTTY: a terminal at the path never becomes our controlling terminal.
  // What was opened is then asked what it is; only a regular file is read.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0)  // a socket, or a device without its driver, cannot be opened at all
    return refuse(errno == ENXIO ? ReadRefusal::notRegularFile : ReadRefusal::cannotOpen, refusal);
  struct stat before {};
  if (::fstat(file.get(), &before) != 0) return refuse(ReadRefusal::unreadable, refusal);
  if (!S_ISREG(before.st_mode)) return refuse(ReadRefusal::notRegularFile, refusal);
  return readRegular(file.get(), before, maxSize, padding, refusal);
}

std::optional<FileBytes> readBoundedStream(int fd, std::size_t maxSize, std::size_t padding, ReadRefusal* refusal) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return refuse(ReadRefusal::cannotOpen, refusal);
  if (S_ISREG(info.st_mode)) return readRegular(fd, info, maxSize, padding, refusal);
  if (S_ISDIR(info.st_mode)) return refuse(ReadRefusal::notRegularFile, refusal);
  FileBytes result;
  constexpr std::size_t kChunk = 64 * 1024;
  for (;;) {
    // One byte past the bound is enough to know the stream is too large.
    const std::size_t room = std::min(kChunk, maxSize + 1 - result.size);
    if (room == 0) return refuse(ReadRefusal::tooLarge, refusal);
    result.buffer.resize(result.size + room);
    const ssize_t n = ::read(fd, result.buffer.data() + result.size, room);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return refuse(ReadRefusal::unreadable, refusal);
    if (n == 0) break;
    result.size += static_cast<std::size_t>(n);
  }
  result.buffer.resize(result.size + padding);
  std::fill(result.buffer.begin() + static_cast<std::ptrdiff_t>(result.size), result.buffer.end(), '\0');
  return result;
}

}  // namespace host
