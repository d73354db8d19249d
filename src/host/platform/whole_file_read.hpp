#pragma once
// Reads a regular file whole, for readers that must not be fooled by what else a path can name or
// by a writer at work:
// - a FIFO, socket or device at the path (or a symbolic link to one) gives none at once: the path is
//   opened non-blocking and without taking a terminal, and the opened file is read only when it
//   is a regular file, so no open or read ever waits for a writer (a device is opened and closed,
//   never read: one system call fewer on every read than asking the path first);
// - a file larger than `maxSize` gives none without being read;
// - when a write overlaps the read, the read gives none rather than a mixture of old and new bytes
//   (see the .cpp for why): writes under way are waited for before reading, and the size,
//   modification time and identity must not move between a stat before and a stat after. A file
//   replaced by a rename is read whole, as it was when it was opened; that is how writers must
//   replace it. What no reader can tell apart is a file that a writer has left half rewritten in
//   place, or a rewrite in place on a file system where reads do not wait for writes (ext2 and
//   ramfs among them); such a file gives whatever it holds, which a strict decoder refuses only
//   by chance.
// Nothing is created, changed or locked.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace host {

struct FileBytes {
  // The content followed by `padding` zero bytes, for parsers that read past the end.
  std::string buffer{};
  std::size_t size = 0;

  std::string_view bytes() const { return std::string_view(buffer.data(), size); }
};

// Why a read gave none, for readers that tell their user.
enum class ReadRefusal {
  cannotOpen,      // the path names nothing that can be opened for reading (errno has why)
  notRegularFile,  // a directory, FIFO, socket or device
  tooLarge,        // more than maxSize bytes
  unreadable,      // a read error, or the file changed while it was read
};

std::optional<FileBytes> readWholeRegularFile(const std::filesystem::path& path, std::size_t maxSize,
                                              std::size_t padding = 0, ReadRefusal* refusal = nullptr);

// The same bound for what an already open descriptor holds (standard input): a regular file is read
// as above; a pipe or terminal is read to its end, but never more than maxSize + 1 bytes of it.
std::optional<FileBytes> readBoundedStream(int fd, std::size_t maxSize, std::size_t padding = 0,
                                           ReadRefusal* refusal = nullptr);

}  // namespace host
