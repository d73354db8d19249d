#pragma once
// Standard output that knows whether what was written to it arrived. While a CheckedStandardOutput
// lives, std::cout writes through it to file descriptor 1; finish() flushes and tells why output was
// lost, if it was (a full disk, an I/O error). A program whose answer could not be written has failed.
//
//   host::CheckedStandardOutput output;
//   std::cout << answer << '\n';
//   if (auto failure = output.finish()) { std::cerr << "cannot write the output: " << *failure; return 1; }
#include <memory>
#include <optional>
#include <streambuf>
#include <string>

namespace host {

class CheckedStandardOutput {
 public:
  CheckedStandardOutput();
  ~CheckedStandardOutput();  // flushes and gives std::cout its own buffer back
  CheckedStandardOutput(const CheckedStandardOutput&) = delete;
  CheckedStandardOutput& operator=(const CheckedStandardOutput&) = delete;

  // Flushes std::cout and C's stdout. The system's reason for the first write that failed ("No
  // space left on device"), or none when everything written so far arrived.
  std::optional<std::string> finish();

 private:
  class Buffer;
  std::unique_ptr<Buffer> buffer_;
  std::streambuf* previous_;
};

}  // namespace host
