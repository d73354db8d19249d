#pragma once
// Reads a regular file whole, for readers that must not be fooled by what else a path can name or
// by a writer at work:
// - a FIFO, socket or device at the path (or a symbolic link to one) gives none at once: it is not
//   opened, and the file is opened non-blocking, so no open or read ever waits for a writer even
//   if the path changes in between;
// - a file larger than `maxSize` gives none without being read;
// - when a write overlaps the read, the read gives none rather than a mixture of old and new bytes
//   (see the .cpp for why): writes under way are waited for before reading, and the size,
//   modification time and identity must not move between a stat before and a stat after. A file replaced by a rename is
//   read as it was when it was opened. What no reader can tell apart is a file that a writer has
//   left half rewritten in place; such a file gives whatever it holds, which a strict decoder then
//   almost always refuses.
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
