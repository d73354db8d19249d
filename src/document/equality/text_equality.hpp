#pragma once
// Texts of the status document (agent and window names) are equal when they are canonically
// equivalent Unicode: "é" written precomposed equals "e" followed by a combining acute accent.
#include <string_view>

namespace zuvo {

// Both texts are UTF-8; an ill-formed sequence compares as U+FFFD.
bool textsEqual(std::string_view a, std::string_view b);

}  // namespace zuvo
