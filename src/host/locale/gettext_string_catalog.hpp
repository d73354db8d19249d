#pragma once
// String catalogs. GettextStringCatalog looks keys up in compiled gettext catalogs,
// <localeDirectory>/<language>/LC_MESSAGES/<domain>.mo, read through Boost.Locale, which needs no
// generated system locale (glibc's gettext falls back to the untranslated key when the locale is
// not generated). The languages are read from the environment at every format (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG; see messageLanguages()), each tried in turn for the key, as gettext does;
// the catalogs of a language are loaded once and kept. Thread-safe.
#include <filesystem>
#include <memory>
#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/view/string_catalog.hpp"

namespace host {

// Formats every key untranslated: for tests and tools, and where no catalog is installed.
class KeyOnlyStringCatalog final : public StringCatalog {
 public:
  std::string format(const LocalizedKey& key) const override;
};

class GettextStringCatalog final : public StringCatalog {
 public:
  GettextStringCatalog(std::filesystem::path localeDirectory, std::string domain);

  // The translation of the key in the first of the user's languages that has one, filled with the
  // key's arguments; without a translation, the key itself filled with them.
  std::string format(const LocalizedKey& key) const override;

  // The same for a given list of languages (POSIX names such as "de_DE" or "de"), most preferred
  // first; for tests and tools.
  std::string format(const LocalizedKey& key, const std::vector<std::string>& languages) const;

 private:
  struct Language;  // a loaded std::locale with its message facet
  std::shared_ptr<const Language> language(const std::string& name) const;

  std::filesystem::path localeDirectory_;
  std::string domain_;
  mutable std::shared_mutex mutex_;
  mutable std::unordered_map<std::string, std::shared_ptr<const Language>> languages_;
};

}  // namespace host
