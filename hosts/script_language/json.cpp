#include "hosts/script_language/json.h"

#include <charconv>
#include <cmath>

#include "hosts/script_language/real_chars.h"
#include "toolkit/utf8.h"

namespace script {

namespace {

std::string hex4(unsigned v) {
  static const char* digits = "0123456789abcdef";
  std::string s = "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) s += digits[(v >> shift) & 0xF];
  return s;
}

std::string renderNumber(double n) {
  if (std::isinf(n)) return n > 0 ? "1e999" : "-1e999";
  if (std::isnan(n)) return "null";
  char buf[64];
  auto [end, ec] = formatReal(buf, buf + sizeof buf, n);
  return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

// Reads JSON values without exceptions, which the page's WebAssembly is built without: each
// step returns false, with the reason in `error`, once the text is no value.
struct ValueReader {
  // Nested arrays are read by recursion, so a line of opening brackets must not run the stack out.
  static constexpr int kDeepest = 100;

  std::string_view text;
  std::size_t& pos;
  std::string error;
  int depth = 0;

  bool fail(const char* why) {
    error = why;
    return false;
  }

  // The four digits of a \u escape at text[at], leaving `at` after them.
  bool hexDigits(std::size_t& at, unsigned& v) {
    if (at + 4 > text.size()) return fail("short \\u escape");
    v = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text[at++];
      v <<= 4;
      if (c >= '0' && c <= '9')
        v |= static_cast<unsigned>(c - '0');
      else if (c >= 'a' && c <= 'f')
        v |= static_cast<unsigned>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F')
        v |= static_cast<unsigned>(c - 'A' + 10);
      else
        return fail("bad \\u escape");
    }
    return true;
  }

  bool string(std::string& out) {
    ++pos;  // the opening quote
    while (true) {
      if (pos >= text.size()) return fail("unterminated string");
      const char c = text[pos++];
      if (c == '"') return true;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos >= text.size()) return fail("unterminated escape");
      const char e = text[pos++];
      static constexpr std::string_view kEscaped = "\"\\/bfnrt";
      static constexpr std::string_view kMeant = "\"\\/\b\f\n\r\t";
      if (const std::size_t at = kEscaped.find(e); at != std::string_view::npos) {
        out += kMeant[at];
      } else if (e == 'u') {
        unsigned code = 0;
        if (!hexDigits(pos, code)) return false;
        if (code >= 0xD800 && code <= 0xDBFF && text.substr(pos, 2) == "\\u") {
          std::size_t next = pos + 2;
          unsigned low = 0;
          if (!hexDigits(next, low)) return false;
          if (low >= 0xDC00 && low <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            pos = next;
          }
        }
        if (code >= 0xD800 && code <= 0xDFFF) return fail("lone surrogate");
        toolkit::appendUtf8(out, code);
      } else {
        error = std::string("unknown escape \\") + e;
        return false;
      }
    }
  }

  void skipBlanks() {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  }

  bool array(JsonValue& out) {
    if (++depth > kDeepest) return fail("arrays nested too deeply");
    ++pos;
    out = JsonValue::ofArray({});
    skipBlanks();
    if (pos < text.size() && text[pos] == ']') {
      ++pos;
      --depth;
      return true;
    }
    while (true) {
      out.items.emplace_back();
      if (!value(out.items.back())) return false;
      skipBlanks();
      if (pos >= text.size()) return fail("unterminated array");
      if (text[pos] == ']') {
        ++pos;
        --depth;
        return true;
      }
      if (text[pos] != ',') return fail("expected ',' in array");
      ++pos;
    }
  }

  bool value(JsonValue& out) {
    skipBlanks();
    if (pos >= text.size()) return fail("a value is missing");
    const char c = text[pos];
    if (c == '"') {
      out = JsonValue::of(std::string());
      return string(out.text);
    }
    if (c == '[') return array(out);
    if (text.substr(pos, 4) == "true") {
      pos += 4;
      out = JsonValue::ofBool(true);
      return true;
    }
    if (text.substr(pos, 5) == "false") {
      pos += 5;
      out = JsonValue::ofBool(false);
      return true;
    }
    double n = 0;
    const char* begin = text.data() + pos;
    auto [end, ec] = parseReal(begin, text.data() + text.size(), n);
    if (ec == std::errc::result_out_of_range) return fail("number out of range");
    if (ec != std::errc() || end == begin) return fail("not a value");
    pos += static_cast<std::size_t>(end - begin);
    out = JsonValue::of(n);
    return true;
  }
};

}  // namespace

std::string quote(std::string_view text) {
  std::string out = "\"";
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t size = toolkit::utf8CharacterSize(text, i);
    const auto c = static_cast<unsigned char>(text[i]);
    if (size > 1) {
      out += text.substr(i, size);
    } else if (c == '"') {
      out += "\\\"";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c >= 0x7F) {
      out += hex4(c);
    } else {
      out += static_cast<char>(c);
    }
    i += size;
  }
  return out + "\"";
}

std::string render(const JsonValue& value) {
  switch (value.kind) {
    case JsonValue::Kind::Number:
      return renderNumber(value.number);
    case JsonValue::Kind::String:
      return quote(value.text);
    case JsonValue::Kind::Boolean:
      return value.boolean ? "true" : "false";
    case JsonValue::Kind::Array: {
      std::string out = "[";
      for (std::size_t i = 0; i < value.items.size(); ++i) {
        if (i > 0) out += ",";
        out += render(value.items[i]);
      }
      return out + "]";
    }
  }
  return {};
}

bool sameValue(const JsonValue& a, const JsonValue& b) {
  if (a.kind != b.kind) return false;
  switch (a.kind) {
    case JsonValue::Kind::Number:
      return a.number == b.number || static_cast<float>(a.number) == static_cast<float>(b.number);
    case JsonValue::Kind::String:
      return a.text == b.text;
    case JsonValue::Kind::Boolean:
      return a.boolean == b.boolean;
    case JsonValue::Kind::Array:
      if (a.items.size() != b.items.size()) return false;
      for (std::size_t i = 0; i < a.items.size(); ++i) {
        if (!sameValue(a.items[i], b.items[i])) return false;
      }
      return true;
  }
  return false;
}

std::string parseValue(std::string_view text, std::size_t& pos, JsonValue& value) {
  ValueReader reader{text, pos, {}};
  reader.value(value);
  return reader.error;
}

}  // namespace script
