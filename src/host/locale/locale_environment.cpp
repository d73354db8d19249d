#include "host/locale/locale_environment.hpp"

#include <unicode/locid.h>
#include <unicode/ures.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <utility>

namespace host {
namespace {

std::string_view environmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string_view(value) : std::string_view();
}

const char* categoryVariable(LocaleCategory category) {
  switch (category) {
    case LocaleCategory::numeric: return "LC_NUMERIC";
    case LocaleCategory::monetary: return "LC_MONETARY";
    case LocaleCategory::messages: return "LC_MESSAGES";
  }
  return "LC_MESSAGES";
}

// "C" and "POSIX" with or without a codeset.
bool isPosixLocale(std::string_view name) {
  std::string_view base = name.substr(0, name.find_first_of(".@"));
  return base == "C" || base == "POSIX";
}

struct PosixLocaleParts {
  std::string_view language;  // language, optionally with territory: "de_DE"
  std::string_view modifier;  // after '@', e.g. "euro"
};

// "lang[_TERRITORY][.codeset][@modifier]".
PosixLocaleParts splitPosixName(std::string_view name) {
  PosixLocaleParts parts;
  std::size_t at = name.find('@');
  if (at != std::string_view::npos) {
    parts.modifier = name.substr(at + 1);
    name = name.substr(0, at);
  }
  parts.language = name.substr(0, name.find('.'));
  return parts;
}

bool isLocaleIdText(std::string_view text) {
  if (text.empty() || !std::isalpha(static_cast<unsigned char>(text.front()))) return false;
  return std::all_of(text.begin(), text.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
  });
}

// Glibc modifiers that name a script or a variant which ICU spells differently.
struct ModifierMapping {
  std::string_view modifier;
  std::string_view script;
  std::string_view variant;
};
constexpr std::array<ModifierMapping, 4> kModifiers{{
    {"latin", "Latn", ""},
    {"cyrillic", "Cyrl", ""},
    {"devanagari", "Deva", ""},
    {"valencia", "", "VALENCIA"},
}};

// True when ICU holds data for the locale itself or a parent of it; false when looking it up
// would end at ICU's process default or the root.
bool icuHasDataFor(const icu::Locale& locale) {
  UErrorCode status = U_ZERO_ERROR;
  UResourceBundle* bundle = ures_open(nullptr, locale.getName(), &status);
  ures_close(bundle);
  return U_SUCCESS(status) && status != U_USING_DEFAULT_WARNING;
}

}  // namespace

std::string posixLocaleName(LocaleCategory category) {
  for (const char* variable : {"LC_ALL", categoryVariable(category), "LANG"}) {
    std::string_view value = environmentValue(variable);
    if (!value.empty()) return std::string(value);
  }
  return {};
}

std::string icuLocaleId(std::string_view posixName) {
  const std::string fallback(kFallbackLocaleId);
  if (posixName.empty() || isPosixLocale(posixName)) return fallback;
  PosixLocaleParts parts = splitPosixName(posixName);
  if (!isLocaleIdText(parts.language)) return fallback;

  std::string id(parts.language);
  std::replace(id.begin(), id.end(), '-', '_');
  if (parts.modifier.find('=') != std::string_view::npos) {
    // Already ICU keywords ("@currency=EUR").
    id.append("@").append(parts.modifier);
  } else {
    auto mapping = std::find_if(kModifiers.begin(), kModifiers.end(),
                                [&](const ModifierMapping& m) { return m.modifier == parts.modifier; });
    if (mapping != kModifiers.end()) {
      std::size_t languageEnd = std::min(id.find('_'), id.size());
      std::string territory = id.substr(languageEnd);  // "" or "_RS"
      id.resize(languageEnd);
      if (!mapping->script.empty()) id.append("_").append(mapping->script);
      id.append(territory.empty() && !mapping->variant.empty() ? "__" : territory);
      if (!mapping->variant.empty()) id.append("_").append(mapping->variant);
    }
  }

  icu::Locale locale(id.c_str());
  if (locale.isBogus() || !icuHasDataFor(locale)) return fallback;
  return locale.getName();
}

bool isPlausibleLocaleName(std::string_view name) {
  auto isAsciiAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  auto isAllowed = [&](char c) {
    return isAsciiAlpha(c) || (c >= '0' && c <= '9') || std::string_view("_-.@=;,+").find(c) != std::string_view::npos;
  };
  return !name.empty() && name.size() <= 255 && isAsciiAlpha(name.front()) &&
         std::all_of(name.begin(), name.end(), isAllowed);
}

void overrideLocale(const std::string& name) {
  if (name.empty()) return;
  const bool plausible = isPlausibleLocaleName(name);
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LC_MONETARY", "LC_MESSAGES", "LANG", "LANGUAGE"}) {
    if (plausible) ::setenv(variable, name.c_str(), 1);
    else ::unsetenv(variable);
  }
}

void dropImplausibleLocaleVariables() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LC_NUMERIC", "LC_TIME", "LC_COLLATE", "LC_MONETARY",
                               "LC_MESSAGES", "LC_PAPER", "LC_NAME", "LC_ADDRESS", "LC_TELEPHONE",
                               "LC_MEASUREMENT", "LC_IDENTIFICATION", "LANG"}) {
    std::string_view value = environmentValue(variable);
    if (!value.empty() && !isPlausibleLocaleName(value)) unsetenv(variable);
  }
  std::string_view list = environmentValue("LANGUAGE");
  if (list.empty()) return;
  std::string kept;
  bool dropped = false;
  while (!list.empty()) {
    std::size_t colon = std::min(list.find(':'), list.size());
    std::string_view entry = list.substr(0, colon);
    list.remove_prefix(std::min(colon + 1, list.size()));
    if (entry.empty()) continue;
    if (!isPlausibleLocaleName(entry)) {
      dropped = true;
      continue;
    }
    kept.append(kept.empty() ? "" : ":").append(entry);
  }
  if (!dropped) return;
  if (kept.empty()) unsetenv("LANGUAGE");
  else setenv("LANGUAGE", kept.c_str(), 1);
}

std::string currentLocaleId(LocaleCategory category) { return icuLocaleId(posixLocaleName(category)); }

std::vector<std::string> messageLanguages() {
  auto withoutCodeset = [](std::string_view name) {
    PosixLocaleParts parts = splitPosixName(name);
    std::string language(parts.language);
    if (!parts.modifier.empty()) language.append("@").append(parts.modifier);
    return language;
  };

  std::string messagesLocale = posixLocaleName(LocaleCategory::messages);
  bool untranslatedLocale = messagesLocale.empty() || messagesLocale == "C" || messagesLocale == "POSIX";
  if (!untranslatedLocale) {
    std::vector<std::string> languages;
    bool endedAtPosix = false;
    std::string_view list = environmentValue("LANGUAGE");
    while (!list.empty() && !endedAtPosix) {
      std::size_t colon = std::min(list.find(':'), list.size());
      std::string_view entry = list.substr(0, colon);
      list.remove_prefix(std::min(colon + 1, list.size()));
      if (entry.empty()) continue;
      endedAtPosix = isPosixLocale(entry);
      if (!endedAtPosix) languages.push_back(withoutCodeset(entry));
    }
    if (!languages.empty() || endedAtPosix) return languages;
  }
  if (messagesLocale.empty() || isPosixLocale(messagesLocale)) return {};
  return {withoutCodeset(messagesLocale)};
}

}  // namespace host
