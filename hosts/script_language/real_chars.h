#pragma once

#include <charconv>

namespace script {

// Called by the JSON reader and writer and by the script language's number arguments, in the
// driver and in the page alike: the standard library's shortest exact formatting and strict
// parsing of doubles. Standard libraries that
// lack the floating-point overloads of std::to_chars and std::from_chars, and the WebAssembly
// build, get the portable versions below, which give the same results.
std::to_chars_result formatReal(char* first, char* last, double value);
std::from_chars_result parseReal(const char* first, const char* last, double& value);

// The portable versions, the formatting built on the C library's printf and both on
// toolkit::readDecimalNumber. Called only by the two functions above and by the tests that
// compare them with the standard library's.
std::to_chars_result portableFormatReal(char* first, char* last, double value);
std::from_chars_result portableParseReal(const char* first, const char* last, double& value);

}  // namespace script
