#pragma once
// Reads a regular file whole, for readers that must not be fooled by what else a path can name or
// by a writer at work:
// - a FIFO, socket or device at the path (or a symbolic link to one) gives none at once: it is not
//   opened, and the file is opened non-blocking, so no open or read ever waits for a writer even
//   if the path changes in between;
// - a file larger than `maxSize` gives none without being read;
// - on ext4, xfs and btrfs, when a write overlaps the read, the read gives none rather than a
//   mixture of old and new bytes (see the .cpp for why): writes under way are waited for before
//   reading, and the size, modification time and identity must not move between a stat before
//   and a stat after. A file replaced by a rename is read as it was when it was opened.
// What no reader can detect is a file rewritten in place where that does not hold (ext2, ramfs,
// ...), or left half rewritten: a rewrite of the same length can be read as a mix of old and new
// bytes, and such a mix may well decode. Writers must replace the file by a rename.
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
