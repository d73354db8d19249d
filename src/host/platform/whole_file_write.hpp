#pragma once
// Writes a file whole or not at all. The bytes go to a new temporary file in the target's folder;
// every write, the flush to disk and the close are checked, and only then is the temporary renamed
// over the target, so a reader finds the old file or the new one, never a part. On any failure,
// and when the writer is dropped before commit(), the temporary is removed and the target is left
// as it was. A symbolic link at the target is replaced, not followed; anything else there that is
// not a regular file (a directory, a device, a FIFO) is refused.
//
//   host::WholeFileWriter file("out/widget.pdf");
//   if (!file.write(bytes) || !file.commit()) report("cannot write out/widget.pdf: " + file.error());
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace host {

class WholeFileWriter {
 public:
  // Creates the temporary file; when that fails, error() says why and every call fails.
  explicit WholeFileWriter(std::filesystem::path target);
  ~WholeFileWriter();
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;

  // Appends; false once anything has failed.
  bool write(const void* data, std::size_t size);
  bool write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }

  // Flushes, closes and renames the temporary over the target. False when anything failed.
  bool commit();

  // The system's reason for the first failure ("No space left on device"); empty while none.
  const std::string& error() const { return error_; }

 private:
  void fail(std::string reason);
  void discard();

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  int fd_ = -1;
  std::string error_;
};

// The whole file in one call; false with `error` set to the reason.
bool writeWholeFile(const std::filesystem::path& target, std::string_view bytes, std::string* error);

}  // namespace host
