// StatusStore::load() on the example file against the bare minimum of reading it: open, fstat,
// read and close.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "document/status_decoder.hpp"
#include "document/status_store.hpp"
#include "host/platform/whole_file_read.hpp"

namespace {

namespace fs = std::filesystem;

struct ExampleContainer {
  ExampleContainer() {
    char pattern[] = "/tmp/zuvo-bench-XXXXXX";
    root = ::mkdtemp(pattern);
    file = root / zuvo::StatusStore::kRelativePath;
    fs::create_directories(file.parent_path());
    std::ofstream(file) << R"({"waiting":3,"unread":5,"weekScore":0.9,"weekSpend":12.5,"limits":[
      {"agent":"Scribe","updatedAt":794059200,"windows":[
        {"name":"daily","used":0.42,"resetsAt":794077200},{"name":"weekly","used":0.18}]}]})";
  }
  ~ExampleContainer() { fs::remove_all(root); }
  fs::path root;
  fs::path file;
};

const ExampleContainer& example() {
  static const ExampleContainer container;
  return container;
}

void StoreLoad(benchmark::State& state) {
  const zuvo::StatusStore store([root = example().root] { return std::optional<fs::path>(root); });
  for (auto _ : state) {
    auto status = store.load();
    if (!status) state.SkipWithError("did not load");
    benchmark::DoNotOptimize(status);
  }
}

void BareOpenStatReadClose(benchmark::State& state) {
  const std::string path = example().file.string();
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    ::fstat(fd, &info);
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    benchmark::DoNotOptimize(::read(fd, bytes.data(), bytes.size()));
    ::close(fd);
    benchmark::DoNotOptimize(bytes);
  }
}

// The guarded read alone, without locating the file or decoding it.
void GuardedRead(benchmark::State& state) {
  const fs::path path = example().file;
  for (auto _ : state) {
    auto bytes = host::readWholeRegularFile(path, zuvo::StatusStore::kMaxFileSize, zuvo::kDecodePadding);
    if (!bytes) state.SkipWithError("did not read");
    benchmark::DoNotOptimize(bytes);
  }
}

BENCHMARK(StoreLoad);
BENCHMARK(GuardedRead);
BENCHMARK(BareOpenStatReadClose);

}  // namespace
