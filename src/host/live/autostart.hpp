#pragma once
// Starting a live widget at login: a desktop entry in $XDG_CONFIG_HOME/autostart, which the
// desktop runs when the session starts. An entry carries a mark of the program that wrote it; a
// file without that mark belongs to someone else and is never overwritten or removed.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace host {

struct AutostartEntry {
  std::string fileName;            // e.g. "my-widget-small.desktop"
  std::string name;                // the entry's Name
  std::string comment;             // its Comment; may be empty
  std::vector<std::string> command;  // the program's absolute path, then its arguments
  std::string owner;               // who wrote it: written as X-Widget-Host-Owner
};

// The folder of autostart entries: $XDG_CONFIG_HOME/autostart, where an unset, empty or relative
// XDG_CONFIG_HOME means $HOME/.config; none when neither names an absolute folder.
std::optional<std::filesystem::path> autostartDirectory();

// The command as a desktop entry's Exec value: each argument quoted when it holds a reserved
// character, '"', '`', '$' and '\' escaped inside quotes, '%' doubled, then escaped as a string
// value. None when an argument holds a control character, which Exec cannot carry, or is not UTF-8.
std::optional<std::string> desktopExecValue(const std::vector<std::string>& command);

// The whole entry's text; none when the command cannot be written, or the entry would be larger than
// the 64 KiB in which its mark is looked for.
std::optional<std::string> desktopEntryText(const AutostartEntry& entry);

// Writes the entry whole (a temporary file renamed over it) unless a file of that name exists that
// does not carry `entry.owner`'s mark. Empty on success, else why not.
std::optional<std::string> installAutostart(const std::filesystem::path& directory, const AutostartEntry& entry);

// Removes the entry if it carries `owner`'s mark; a missing file is success. Empty on success.
std::optional<std::string> removeAutostart(const std::filesystem::path& directory, const std::string& fileName,
                                           const std::string& owner);

}  // namespace host
