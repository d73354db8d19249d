// StatusStore::load() of the status file, located as the widget does from XDG_DATA_HOME, against
// the bare minimum of reading the same file: open, fstat, read and close. Each iteration times both
// in turn, so a busy machine slows them alike; the "ratio" counter is the median load() over the
// median bare read (goal: at most 1.35).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/status_decoder.hpp"
#include "document/status_store.hpp"
#include "host/platform/whole_file_read.hpp"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct ExampleDataHome {
  ExampleDataHome() {
    char pattern[] = "/tmp/zuvo-bench-XXXXXX";
    root = ::mkdtemp(pattern);
    file = root / zuvo::StatusStore::kAppGroupIdentifier / zuvo::StatusStore::kRelativePath;
    fs::create_directories(file.parent_path());
    std::ofstream(file) << R"({"waiting":3,"unread":5,"weekScore":0.9,"weekSpend":12.5,"limits":[
      {"agent":"Scribe","updatedAt":794059200,"windows":[
        {"name":"daily","used":0.42,"resetsAt":794077200},{"name":"weekly","used":0.18}]}]})";
    ::setenv("XDG_DATA_HOME", root.c_str(), 1);
  }
  ~ExampleDataHome() { fs::remove_all(root); }
  fs::path root;
  fs::path file;
};

const ExampleDataHome& example() {
  static const ExampleDataHome dataHome;
  return dataHome;
}

void bareRead(const char* path) {
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  struct stat info {};
  ::fstat(fd, &info);
  std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
  benchmark::DoNotOptimize(::read(fd, bytes.data(), bytes.size()));
  ::close(fd);
  benchmark::DoNotOptimize(bytes);
}

double median(std::vector<double>& values) {
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
  return values[values.size() / 2];
}

// Times `read` and the bare read alternately; reports the ratio of their medians.
template <typename Read>
void againstBareRead(benchmark::State& state, Read read) {
  const std::string path = example().file.string();
  std::vector<double> ours, bare;
  for (auto _ : state) {
    const auto start = Clock::now();
    read(state);
    const auto middle = Clock::now();
    bareRead(path.c_str());
    const auto end = Clock::now();
    ours.push_back(std::chrono::duration<double, std::nano>(middle - start).count());
    bare.push_back(std::chrono::duration<double, std::nano>(end - middle).count());
  }
  state.counters["ns"] = median(ours);
  state.counters["bare_ns"] = median(bare);
  state.counters["ratio"] = state.counters["ns"] / state.counters["bare_ns"];
}

// The whole request: locate the file, read it guarded, decode it.
void StoreLoad(benchmark::State& state) {
  example();
  const zuvo::StatusStore store;
  againstBareRead(state, [&](benchmark::State& s) {
    auto status = store.load();
    if (!status) s.SkipWithError("did not load");
    benchmark::DoNotOptimize(status);
  });
}

// The guarded read alone, without locating the file or decoding it.
void GuardedRead(benchmark::State& state) {
  const fs::path path = example().file;
  againstBareRead(state, [&](benchmark::State& s) {
    auto bytes = host::readWholeRegularFile(path, zuvo::StatusStore::kMaxFileSize, zuvo::kDecodePadding);
    if (!bytes) s.SkipWithError("did not read");
    benchmark::DoNotOptimize(bytes);
  });
}

BENCHMARK(StoreLoad);
BENCHMARK(GuardedRead);

}  // namespace
