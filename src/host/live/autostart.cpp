#include "host/live/autostart.hpp"

#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

#include "host/platform/whole_file_read.hpp"

namespace host {

namespace {

constexpr const char* kOwnerKey = "X-Widget-Host-Owner";
constexpr std::size_t kMaxEntrySize = 64 * 1024;

std::string ownerLine(const std::string& owner) { return std::string(kOwnerKey) + "=" + owner; }

// Whether the file at `path` is an entry `owner` wrote: a regular file holding the mark line.
bool ownedBy(const std::filesystem::path& path, const std::string& owner) {
  const auto file = readWholeRegularFile(path, kMaxEntrySize);
  if (!file) return false;
  std::istringstream lines{std::string(file->bytes())};
  for (std::string line; std::getline(lines, line);)
    if (line == ownerLine(owner)) return true;
  return false;
}

// Whether a value can be a desktop entry's string: UTF-8 text without control characters.
bool escapeString(const std::string& value) {
  for (unsigned char c : value)
    if (c < 0x20 || c == 0x7f) return false;
  return g_utf8_validate(value.data(), static_cast<gssize>(value.size()), nullptr);
}

}  // namespace

std::optional<std::filesystem::path> autostartDirectory() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return std::filesystem::path(config) / "autostart";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::filesystem::path(home) / ".config" / "autostart";
  return std::nullopt;
}

std::optional<std::string> desktopExecValue(const std::vector<std::string>& command) {
  static constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
  std::string exec;
  for (const std::string& argument : command) {
    if (!escapeString(argument)) return std::nullopt;
    if (!exec.empty()) exec += ' ';
    const bool quote = argument.empty() || argument.find_first_of(kReserved) != std::string::npos;
    std::string word;
    if (quote) word += '"';
    for (char c : argument) {
      if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) word += '\\';
      word += c;
      if (c == '%') word += '%';
    }
    if (quote) word += '"';
    exec += word;
  }
  // Exec is a string value, in which a backslash is itself written escaped.
  std::string value;
  for (char c : exec) {
    if (c == '\\') value += '\\';
    value += c;
  }
  return value;
}

std::optional<std::string> desktopEntryText(const AutostartEntry& entry) {
  const auto exec = desktopExecValue(entry.command);
  if (!exec || !escapeString(entry.name) || !escapeString(entry.comment) || !escapeString(entry.owner))
    return std::nullopt;
  std::string text = "[Desktop Entry]\nType=Application\nName=" + entry.name + "\n";
  if (!entry.comment.empty()) text += "Comment=" + entry.comment + "\n";
  text += "Exec=" + *exec + "\nTerminal=false\nNoDisplay=true\nX-GNOME-Autostart-enabled=true\n";
  text += ownerLine(entry.owner) + "\n";
  // Longer, and the mark could not be found again: the entry would be taken for someone else's.
  if (text.size() > kMaxEntrySize) return std::nullopt;
  return text;
}

std::optional<std::string> installAutostart(const std::filesystem::path& directory, const AutostartEntry& entry) {
  const auto text = desktopEntryText(entry);
  if (!text) return "the command cannot be written into a desktop entry";
  const auto path = directory / entry.fileName;
  std::error_code error;
  if (std::filesystem::exists(std::filesystem::symlink_status(path, error)) && !ownedBy(path, entry.owner))
    return path.string() + ": exists and was not written by this program";
  std::filesystem::create_directories(directory, error);
  if (error) return directory.string() + ": " + error.message();
  std::string temporary = (directory / ("." + entry.fileName + ".XXXXXX")).string();
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return directory.string() + ": " + std::strerror(errno);
  const char* data = text->data();
  std::size_t left = text->size();
  bool ok = true;
  while (left > 0 && ok) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0 && errno == EINTR) continue;
    ok = written > 0;
    if (ok) data += written, left -= static_cast<std::size_t>(written);
  }
  ok = ::fchmod(fd, 0644) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  if (!ok || std::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string why = std::strerror(errno);
    std::remove(temporary.c_str());
    return path.string() + ": " + why;
  }
  return std::nullopt;
}

std::optional<std::string> removeAutostart(const std::filesystem::path& directory, const std::string& fileName,
                                           const std::string& owner) {
  const auto path = directory / fileName;
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) return std::nullopt;
  if (!ownedBy(path, owner)) return path.string() + ": was not written by this program; left alone";
  if (!std::filesystem::remove(path, error) && error) return path.string() + ": " + error.message();
  return std::nullopt;
}

}  // namespace host
