#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The first `count` characters of UTF-8 text. A character is a code point; a byte that does
// not begin a well-formed sequence counts as one character of its own, so malformed text is
// cut safely too and a well-formed character is never split.
std::string firstCharacters(std::string_view text, std::size_t count);
