#pragma once
// The user's current locale, read afresh from the POSIX environment at every call, so that a
// change shows at the next drawing. Nothing here asks ICU or glibc for their default locale: ICU
// caches its default for the life of the process, and glibc needs the locale generated.
//
// Category lookup follows POSIX: LC_ALL, then the category's own variable, then LANG; an empty
// variable counts as unset. Empty, "C", "POSIX" (with or without a codeset, e.g. "C.UTF-8") and a
// locale ICU has no data for all mean United States English.
#include <string>
#include <string_view>
#include <vector>

namespace host {

inline constexpr std::string_view kFallbackLocaleId = "en_US";

enum class LocaleCategory { numeric, monetary, messages };

// The POSIX locale name in effect for the category (e.g. "de_DE.UTF-8"), or "" when none is set.
std::string posixLocaleName(LocaleCategory category);

// The ICU locale id for a POSIX locale name or an ICU id: the codeset is dropped, the modifiers
// "@latin", "@cyrillic" and "@devanagari" become scripts and "@valencia" a variant; any other
// modifier (e.g. "@euro") is dropped. "C", "POSIX", empty, malformed or unknown to ICU: "en_US".
// Not cheap (asks ICU's data); callers cache by name.
std::string icuLocaleId(std::string_view posixName);

// Whether `name` can name a locale: an ASCII letter, then ASCII letters, digits and "_-.@=;,+" only,
// at most 255 bytes. Text that is not UTF-8, a path, white space or control characters never can.
bool isPlausibleLocaleName(std::string_view name);

// Takes out of the process environment what no locale lookup should see: every locale variable
// (LC_ALL, each LC_ category, LANG) whose value is not a plausible locale name, and each entry of
// LANGUAGE that is not (the variable itself when no entry is left). Such a value then reads as
// unset everywhere: in our figures and catalogs, and in GLib, Pango and librsvg, which read these
// names themselves and some of which abort on bytes that are not UTF-8. Call once at start-up,
// before any library has looked at the environment; not thread-safe (it changes the environment).
void dropImplausibleLocaleVariables();

// Makes the whole run follow one locale (a --locale option): the figures read the locale, and the
// captions the language, afresh from the environment each time they are formed, so every variable
// they read is set to `name`. An empty name changes nothing; a name that cannot be a locale stands
// for none (every such variable unset: United States English). Not thread-safe, like the above.
void overrideLocale(const std::string& name);

// icuLocaleId(posixLocaleName(category)).
std::string currentLocaleId(LocaleCategory category);

// The languages to look messages up in, most preferred first, as POSIX names without codeset
// ("de_DE", "sr_RS@latin"); empty means the untranslated keys. As in GNU gettext: LANGUAGE, a
// colon-separated list, takes the place of the messages locale (LC_ALL, LC_MESSAGES, LANG), except
// when that locale is "C" or "POSIX" or unset (whoever asks for the C locale asks for untranslated
// text; "C.UTF-8" does not count as such); an entry "C" or "POSIX" ends the list; a LANGUAGE with
// no non-empty entry is ignored.
std::vector<std::string> messageLanguages();

}  // namespace host
