#pragma once
// Fills a localisable key, or its translation, with the key's arguments:
//   "%lld"           the next argument, as a decimal integer without grouping ("-1234")
//   "%@"             the next argument, as UTF-8 text
//   "%n$lld", "%n$@" argument n, counted from 1, so a translation may reorder them
//   "%%"             a literal "%"
// "Next" counts only unnumbered placeholders. Faults never fail: an argument of the other kind is
// written as itself (an integer in decimal, a text unchanged); a placeholder with no argument, and
// any other "%" sequence, is copied as it stands so the fault shows; unused arguments are ignored.
#include <span>
#include <string>
#include <string_view>

#include "host/view/localized_string.hpp"

namespace host {

std::string formatKey(std::string_view format, std::span<const FormatArgument> arguments);

}  // namespace host
