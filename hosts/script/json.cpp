#include "hosts/script/json.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

#include "hosts/script/real_chars.h"
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

unsigned parseHex4(std::string_view text, std::size_t& pos) {
  if (pos + 4 > text.size()) throw std::invalid_argument("short \\u escape");
  unsigned v = 0;
  for (int i = 0; i < 4; ++i) {
    const char c = text[pos++];
    v <<= 4;
    if (c >= '0' && c <= '9')
      v |= static_cast<unsigned>(c - '0');
    else if (c >= 'a' && c <= 'f')
      v |= static_cast<unsigned>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
      v |= static_cast<unsigned>(c - 'A' + 10);
    else
      throw std::invalid_argument("bad \\u escape");
  }
  return v;
}

std::string parseString(std::string_view text, std::size_t& pos) {
  ++pos;  // the opening quote
  std::string out;
  while (true) {
    if (pos >= text.size()) throw std::invalid_argument("unterminated string");
    const char c = text[pos++];
    if (c == '"') return out;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (pos >= text.size()) throw std::invalid_argument("unterminated escape");
    const char e = text[pos++];
    switch (e) {
      case '"':
        out += '"';
        break;
      case '\\':
        out += '\\';
        break;
      case '/':
        out += '/';
        break;
      case 'b':
        out += '\b';
        break;
      case 'f':
        out += '\f';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'u': {
        unsigned code = parseHex4(text, pos);
        if (code >= 0xD800 && code <= 0xDBFF && text.substr(pos, 2) == "\\u") {
          std::size_t next = pos + 2;
          const unsigned low = parseHex4(text, next);
          if (low >= 0xDC00 && low <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            pos = next;
          }
        }
        if (code >= 0xD800 && code <= 0xDFFF) throw std::invalid_argument("lone surrogate");
        toolkit::appendUtf8(out, code);
        break;
      }
      default:
        throw std::invalid_argument(std::string("unknown escape \\") + e);
    }
  }
}

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

JsonValue parseValue(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  if (pos >= text.size()) throw std::invalid_argument("a value is missing");
  const char c = text[pos];
  if (c == '"') return JsonValue::of(parseString(text, pos));
  if (c == '[') {
    ++pos;
    std::vector<JsonValue> items;
    auto skip = [&] {
      while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    };
    skip();
    if (pos < text.size() && text[pos] == ']') {
      ++pos;
      return JsonValue::ofArray({});
    }
    while (true) {
      items.push_back(parseValue(text, pos));
      skip();
      if (pos >= text.size()) throw std::invalid_argument("unterminated array");
      if (text[pos] == ']') {
        ++pos;
        return JsonValue::ofArray(std::move(items));
      }
      if (text[pos] != ',') throw std::invalid_argument("expected ',' in array");
      ++pos;
    }
  }
  if (text.substr(pos, 4) == "true") {
    pos += 4;
    return JsonValue::ofBool(true);
  }
  if (text.substr(pos, 5) == "false") {
    pos += 5;
    return JsonValue::ofBool(false);
  }
  double n = 0;
  const char* begin = text.data() + pos;
  auto [end, ec] = parseReal(begin, text.data() + text.size(), n);
  if (ec == std::errc::result_out_of_range) throw std::invalid_argument("number out of range");
  if (ec != std::errc() || end == begin) throw std::invalid_argument("not a value");
  pos += static_cast<std::size_t>(end - begin);
  return JsonValue::of(n);
}

}  // namespace script
