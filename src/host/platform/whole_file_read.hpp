#pragma once
// Reads a regular file whole, for readers that must not be fooled by what else a path can name or
// by a writer at work:
// - a FIFO, socket or device at the path (or a symbolic link to one) gives none at once: the path is
//   opened non-blocking and without taking a terminal, and the opened file is read only when it
//   is a regular file, so no open or read ever waits for a writer;
// - a file larger than `maxSize` gives none without being read;
// - a write that lands while the file is read gives none rather than a mixture of old and new
//   bytes: the size, modification time and identity must not move between a stat before the read
//   and a stat after it. A file replaced by a rename is read whole, as it was when it was opened;
//   that is how writers must replace it. A write already under way when the read begins, or a file
//   a writer left half rewritten in place, cannot be told from a finished one (and on some file
//   systems, ext2 and ramfs among them, a rewrite in place can be read mixed); such a file gives
//   whatever it holds, which a strict decoder refuses only by chance.
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
