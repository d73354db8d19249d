// The store against a real directory tree: every kind of unreadable file, the size bound and a
// writer replacing the file while it is read.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "document/status_store.hpp"
#include "test_files.hpp"

namespace zuvo {
namespace {

namespace fs = std::filesystem;

std::string document(int n, std::size_t padding = 0) {
  const std::string number = std::to_string(n);
  return R"({"waiting":)" + number + R"(,"pad":")" + std::string(padding, 'p') + R"(","unread":)" + number +
         R"(,"weekSpend":0})";
}

class Store : public testing::Test {
 protected:
  StatusStore store() const {
    return StatusStore([dir = container_] { return std::optional<fs::path>(dir); });
  }
  void write(const std::string& content) {
    fs::create_directories(file_.parent_path());
    std::ofstream(file_, std::ios::binary | std::ios::trunc) << content;
  }

  TemporaryDirectory temporary_;
  const fs::path container_ = temporary_.path;
  fs::path file_ = container_ / "Library" / "Application Support" / "widget-status.json";
};

// fileURL() is where load() reads and a watcher watches: the place the file would be, also before
// its folders or its container exist.
TEST_F(Store, LocatesTheFileAndReadsEveryReplacement) {
  const StatusStore noContainer([] { return std::optional<fs::path>(); });
  EXPECT_FALSE(noContainer.fileURL());
  EXPECT_FALSE(noContainer.load());
  const StatusStore missingContainer([this] { return std::optional<fs::path>(container_ / "missing"); });
  EXPECT_EQ(missingContainer.fileURL(), container_ / "missing" / StatusStore::kRelativePath);
  EXPECT_EQ(StatusStore::file(container_ / "named.json").fileURL(), container_ / "named.json");
  EXPECT_EQ(store().fileURL(), file_);
  EXPECT_FALSE(store().load());  // its folders are missing
  write(R"({"waiting":3,"unread":5,"weekSpend":12.5,"limits":[{"agent":"S","updatedAt":1,"windows":[)"
        R"({"name":"daily","used":0.42,"resetsAt":794077200}]}]})");
  const auto first = store().load();
  ASSERT_TRUE(first);
  EXPECT_EQ((*first->limits)[0].windows[0].resetsAt, Instant{794077200});
  write(R"({"waiting":9,"unread":0,"weekSpend":1})");
  EXPECT_EQ(store().load(), (WidgetStatus{.waiting = 9, .weekSpend = 1}));
}

// The default store keeps the file's path between requests, but follows the data directory when
// XDG_DATA_HOME or HOME change.
TEST_F(Store, DefaultStoreFollowsTheDataDirectory) {
  const fs::path dataHome = container_ / "data";
  file_ = dataHome / StatusStore::kAppGroupIdentifier / StatusStore::kRelativePath;
  write(R"({"waiting":7,"unread":0,"weekSpend":0})");
  ScopedVariable xdg("XDG_DATA_HOME", dataHome.string()), home("HOME", "relative");
  EXPECT_EQ(StatusStore().load(), (WidgetStatus{.waiting = 7}));
  EXPECT_EQ(StatusStore().fileURL(), file_);
  xdg.set(container_.string());
  EXPECT_FALSE(StatusStore().load()) << "a data directory without the container";
  xdg.set(std::nullopt);
  EXPECT_FALSE(StatusStore().load()) << "no data directory at all";
  EXPECT_FALSE(StatusStore().fileURL());
  xdg.set(dataHome.string());
  EXPECT_EQ(StatusStore().load(), (WidgetStatus{.waiting = 7}));
}

// A FIFO with no writer would block a plain read forever; reaching the assertions is the test.
TEST_F(Store, FilesThatCannotBeReadGiveNoneWithoutBlocking) {
  write(R"({"waiting":1})");
  EXPECT_FALSE(store().load()) << "undecodable file";
  fs::remove(file_);
  fs::create_directory(file_);
  EXPECT_FALSE(store().load()) << "directory";
  fs::remove(file_);
  fs::create_symlink("/dev/zero", file_);
  EXPECT_FALSE(store().load()) << "device behind a symbolic link";
  fs::remove(file_);
  ASSERT_EQ(::mkfifo(file_.c_str(), 0600), 0);
  EXPECT_FALSE(store().load()) << "FIFO";
  const auto elsewhere = container_ / "fifo";
  ASSERT_EQ(::mkfifo(elsewhere.c_str(), 0600), 0);
  fs::remove(file_);
  fs::create_symlink(elsewhere, file_);
  EXPECT_FALSE(store().load()) << "FIFO behind a symbolic link";
  fs::remove(file_);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
  ASSERT_LT(file_.string().size(), sizeof(address.sun_path));
  file_.string().copy(address.sun_path, file_.string().size());
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  EXPECT_FALSE(store().load()) << "socket";
  ::close(fd);
}

TEST_F(Store, SizeBoundIsInclusiveAndLargerFilesAreNotRead) {
  std::string atBound = R"({"waiting":5,"unread":0,"weekSpend":0})";
  atBound.resize(StatusStore::kMaxFileSize, ' ');
  write(atBound);
  EXPECT_EQ(store().load(), (WidgetStatus{.waiting = 5}));
  write(atBound + " ");
  EXPECT_FALSE(store().load());
  write("");
  EXPECT_FALSE(store().load()) << "empty file";
  // A sparse terabyte: reading it whole would exhaust memory long before failing to decode.
  ASSERT_EQ(::truncate(file_.c_str(), off_t{1} << 40), 0);
  EXPECT_FALSE(store().load());
}

// Two same-length documents of several pages rewritten in place, each in one write: the file always
// holds one whole, so a mixture can only come from a read tearing across a write.
TEST_F(Store, ReadMeetingARewriteGivesAWholeDocumentOrNone) {
  const std::string versions[] = {document(1111, 20000), document(2222, 20000)};
  write(versions[0]);
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    const int fd = ::open(file_.c_str(), O_WRONLY);
    for (int round = 1; fd >= 0 && !stop; ++round) {
      const std::string& next = versions[round % 2];
      if (::pwrite(fd, next.data(), next.size(), 0) != static_cast<ssize_t>(next.size())) break;
      if (round % 64 == 0) std::this_thread::sleep_for(std::chrono::microseconds(100));  // let whole reads in
    }
    ::close(fd);
  });
  int mixed = 0;
  for (int i = 0; i < 5000; ++i)
    if (const auto status = store().load())
      mixed += status->waiting != status->unread || (status->waiting != 1111 && status->waiting != 2222);
  stop = true;
  writer.join();
  EXPECT_EQ(mixed, 0) << "reads that mixed two versions";
}

// The usual safe write, a new file renamed over the old one: unlinking the file as we read it must
// not be taken for a write.
TEST_F(Store, FileReplacedByRenameIsAlwaysRead) {
  write(document(1));
  const auto next = file_.parent_path() / "widget-status.json.new";
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    for (int round = 0; !stop; ++round) {
      std::ofstream(next) << document(round % 2 + 1);
      fs::rename(next, file_);
    }
  });
  int none = 0;
  for (int i = 0; i < 20000; ++i) none += !store().load().has_value();
  stop = true;
  writer.join();
  EXPECT_EQ(none, 0) << "reads that found no document";
}

}  // namespace
}  // namespace zuvo
