#pragma once
// Whether bytes are well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing beyond U+10FFFF. Text that lands in a file others read as text (a desktop
// entry) is checked before it is written.
#include <string_view>

namespace host {

bool isValidUtf8(std::string_view bytes);

}  // namespace host
