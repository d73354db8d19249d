#include "host/platform/whole_file_read.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace

// Why a read never mixes two versions. A write sets the file's times when it begins. Any write that
// overlaps our read either began before the first stat or after it:
// - before: seeking to a hole then waits for it to finish, since on ext4, xfs and btrfs that seek
//   takes the lock a write holds for its whole length (and changes nothing), so it is over before
//   the read starts;
// - after: it has moved the modification time by the second stat. Since Linux 6.13 these file
//   systems give a change that follows a stat a finer time than the one that stat saw, so even a
//   write in the same clock tick shows.
// Comparing times alone misses the first case; a test with a writer rewriting in place shows it.
std::optional<FileBytes> readWholeRegularFile(const std::filesystem::path& path, std::size_t maxSize,
                                              std::size_t padding) {
  // Only a regular file is opened at all: opening a device can act on it (a tape rewinds, a line
  // hangs up). What the path names may change before the open; the flags and the check of the
  // opened file below cover that.
  struct stat named {};
  if (::stat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) return std::nullopt;
  // O_NONBLOCK: opening a FIFO with no writer returns at once instead of waiting for one.
  // O_NOCTTY: a terminal at the path never becomes our controlling terminal.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) return std::nullopt;
  struct stat before {};
  if (::fstat(file.get(), &before) != 0 || !S_ISREG(before.st_mode)) return std::nullopt;
  if (before.st_size < 0 || static_cast<std::size_t>(before.st_size) > maxSize) return std::nullopt;
  if (::lseek(file.get(), 0, SEEK_HOLE) < 0) return std::nullopt;

  FileBytes result;
  result.size = static_cast<std::size_t>(before.st_size);
  result.buffer.resize(result.size + padding);
  std::size_t done = 0;
  while (done < result.size) {
    const ssize_t n = ::pread(file.get(), result.buffer.data() + done, result.size - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;  // an error, or the file was cut short while we read it
    done += static_cast<std::size_t>(n);
  }
  struct stat after {};
  if (::fstat(file.get(), &after) != 0 || !sameVersion(before, after)) return std::nullopt;
  return result;
}

}  // namespace host
