#pragma once
// For the duration of a test, the locale variables are exactly the ones given (the others unset);
// the previous values come back afterwards.
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace host {

using LocaleVariables = std::map<std::string, std::string>;

class ScopedLocaleEnvironment {
 public:
  explicit ScopedLocaleEnvironment(const LocaleVariables& values) {
    for (const char* name : kNames) {
      const char* old = std::getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
      ::unsetenv(name);
    }
    set(values);
  }
  ~ScopedLocaleEnvironment() {
    for (const auto& [name, value] : saved_) value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
  }
  ScopedLocaleEnvironment(const ScopedLocaleEnvironment&) = delete;
  ScopedLocaleEnvironment& operator=(const ScopedLocaleEnvironment&) = delete;

  // Changes variables within the test; the original values still come back at the end.
  void set(const LocaleVariables& values) {
    for (const auto& [name, value] : values) ::setenv(name.c_str(), value.c_str(), 1);
  }

 private:
  static constexpr const char* kNames[] = {"LANGUAGE", "LC_ALL", "LC_NUMERIC", "LC_MONETARY", "LC_MESSAGES", "LANG"};
  std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace host
