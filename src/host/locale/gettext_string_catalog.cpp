#include "host/locale/gettext_string_catalog.hpp"

#include <boost/locale/generator.hpp>
#include <boost/locale/localization_backend.hpp>
#include <boost/locale/message.hpp>

#include <exception>
#include <locale>
#include <mutex>

#include "host/locale/key_formatter.hpp"
#include "host/locale/locale_environment.hpp"

namespace host {
namespace {

// Languages beyond this many (reachable only through many distinct explicit lists) are loaded
// for one format and not kept.
constexpr std::size_t kMaxLanguages = 32;

// "de_DE" -> "de_DE.UTF-8", "sr_RS@latin" -> "sr_RS.UTF-8@latin": Boost.Locale takes the
// catalogs' text as UTF-8 only when the name says so.
std::string utf8LocaleName(const std::string& language) {
  std::size_t at = language.find('@');
  std::string name = language.substr(0, at) + ".UTF-8";
  if (at != std::string::npos) name += language.substr(at);
  return name;
}

}  // namespace

struct GettextStringCatalog::Language {
  std::locale locale;
  const boost::locale::message_format<char>* messages = nullptr;
  int domainId = 0;
};

std::string KeyOnlyStringCatalog::format(const LocalizedKey& key) const { return formatKey(key.key, key.arguments); }

GettextStringCatalog::GettextStringCatalog(std::filesystem::path localeDirectory, std::string domain)
    : localeDirectory_(std::move(localeDirectory)), domain_(std::move(domain)) {}

std::string GettextStringCatalog::format(const LocalizedKey& key) const { return format(key, messageLanguages()); }

std::string GettextStringCatalog::format(const LocalizedKey& key, const std::vector<std::string>& languages) const {
  for (const std::string& name : languages) {
    std::shared_ptr<const Language> loaded = language(name);
    if (!loaded->messages) continue;
    if (const char* translated = loaded->messages->get(loaded->domainId, nullptr, key.key.c_str()))
      return formatKey(translated, key.arguments);
  }
  return formatKey(key.key, key.arguments);
}

std::shared_ptr<const GettextStringCatalog::Language> GettextStringCatalog::language(const std::string& name) const {
  {
    std::shared_lock lock(mutex_);
    if (auto found = languages_.find(name); found != languages_.end()) return found->second;
  }
  // The ICU backend, so that no system locale needs to be generated; only the message facet,
  // which is all a catalog needs and the cheapest to build.
  auto backends = boost::locale::localization_backend_manager::global();
  backends.select("icu");
  boost::locale::generator generator(backends);
  generator.categories(boost::locale::message_facet);
  generator.characters(boost::locale::char_facet);
  generator.add_messages_path(localeDirectory_.string());
  generator.add_messages_domain(domain_);

  auto loaded = std::make_shared<Language>();
  try {
    loaded->locale = generator.generate(utf8LocaleName(name));
    loaded->messages = &std::use_facet<boost::locale::message_format<char>>(loaded->locale);
    loaded->domainId = loaded->messages->domain(domain_);
  } catch (const std::exception&) {
    loaded->messages = nullptr;  // a catalog that cannot be read counts as none
  }

  std::unique_lock lock(mutex_);
  if (languages_.size() >= kMaxLanguages && !languages_.contains(name)) return loaded;
  return languages_.try_emplace(name, std::move(loaded)).first->second;
}

}  // namespace host
