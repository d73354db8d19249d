#pragma once
// Reads a regular file whole, for readers that must not be fooled by what else a path can name or
// by a writer at work:
// - a FIFO, socket or device at the path (or a symbolic link to one) gives none at once: the file
//   is opened non-blocking, so no open or read ever waits for a writer;
// - a file larger than `maxSize` gives none without being read;
// - when the file changes while it is read (its size, modification or change time, or identity
//   moves between the stat before and the stat after), the read gives none rather than a mixture
//   of old and new bytes. A file replaced by a rename is read as it was when it was opened.
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

std::optional<FileBytes> readWholeRegularFile(const std::filesystem::path& path, std::size_t maxSize,
                                              std::size_t padding = 0);

}  // namespace host
