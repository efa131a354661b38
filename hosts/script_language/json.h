#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The small part of JSON the script language uses: strings, numbers, booleans and arrays.
namespace script {

struct JsonValue {
  enum class Kind { Number, String, Boolean, Array };
  Kind kind = Kind::Number;
  double number = 0;
  std::string text;
  bool boolean = false;
  std::vector<JsonValue> items;

  static JsonValue of(double n) { return {Kind::Number, n, {}, false, {}}; }
  static JsonValue of(std::string s) { return {Kind::String, 0, std::move(s), false, {}}; }
  static JsonValue ofBool(bool b) { return {Kind::Boolean, 0, {}, b, {}}; }
  static JsonValue ofArray(std::vector<JsonValue> v) {
    return {Kind::Array, 0, {}, false, std::move(v)};
  }
};

// Text as a JSON string literal. Bytes that are not well-formed UTF-8 are written as \u00XX
// escapes of their byte value, so the output is always valid JSON.
std::string quote(std::string_view text);
// A value as compact JSON; numbers in their shortest exact form.
std::string render(const JsonValue& value);
// Equality, with numbers also equal when they agree in single precision (positions are floats).
bool sameValue(const JsonValue& a, const JsonValue& b);

// Called by the script language's reader (and the fuzzer): parses one value starting at
// text[pos], skipping blanks before it, into `value`, and leaves pos after it. Returns a readable
// reason when the text is not a value ("unterminated string"), and "" when it is one.
std::string parseValue(std::string_view text, std::size_t& pos, JsonValue& value);

}  // namespace script
