#include "i18n/plural_rule.h"

#include <cctype>

namespace i18n {

namespace {

// A recursive-descent reader that evaluates as it reads, by C's precedence. Both arms of ?:
// are read and evaluated (they have no side effects); only one is kept.
class Reader {
 public:
  Reader(std::string_view text, unsigned long n) : text_(text), n_(n) {}

  std::optional<unsigned long> whole() {
    const unsigned long v = conditional();
    skipBlanks();
    if (failed_ || at_ != text_.size()) return std::nullopt;
    return v;
  }

 private:
  unsigned long conditional() {
    const unsigned long test = logicalOr();
    if (!take("?")) return test;
    const unsigned long yes = conditional();
    if (!take(":")) failed_ = true;
    const unsigned long no = conditional();
    return test != 0 ? yes : no;
  }
  unsigned long logicalOr() {
    unsigned long v = logicalAnd();
    while (take("||")) {
      const unsigned long r = logicalAnd();
      v = (v != 0 || r != 0) ? 1 : 0;
    }
    return v;
  }
  unsigned long logicalAnd() {
    unsigned long v = equality();
    while (take("&&")) {
      const unsigned long r = equality();
      v = (v != 0 && r != 0) ? 1 : 0;
    }
    return v;
  }
  unsigned long equality() {
    unsigned long v = relation();
    for (;;) {
      if (take("==")) {
        v = v == relation() ? 1 : 0;
      } else if (take("!=")) {
        v = v != relation() ? 1 : 0;
      } else {
        return v;
      }
    }
  }
  unsigned long relation() {
    unsigned long v = sum();
    for (;;) {
      if (take("<=")) {
        v = v <= sum() ? 1 : 0;
      } else if (take(">=")) {
        v = v >= sum() ? 1 : 0;
      } else if (take("<")) {
        v = v < sum() ? 1 : 0;
      } else if (take(">")) {
        v = v > sum() ? 1 : 0;
      } else {
        return v;
      }
    }
  }
  unsigned long sum() {
    unsigned long v = product();
    for (;;) {
      if (take("+")) {
        v += product();
      } else if (take("-")) {
        v -= product();
      } else {
        return v;
      }
    }
  }
  unsigned long product() {
    unsigned long v = unary();
    for (;;) {
      if (take("*")) {
        v *= unary();
      } else if (take("/")) {
        const unsigned long d = unary();
        v = d == 0 ? 0 : v / d;
      } else if (take("%")) {
        const unsigned long d = unary();
        v = d == 0 ? 0 : v % d;
      } else {
        return v;
      }
    }
  }
  unsigned long unary() {
    // "!=" is an operator of its own, read by equality.
    skipBlanks();
    if (at_ < text_.size() && text_[at_] == '!' && !startsWith("!=")) {
      ++at_;
      return unary() == 0 ? 1 : 0;
    }
    return primary();
  }
  unsigned long primary() {
    if (take("(")) {
      const unsigned long v = conditional();
      if (!take(")")) failed_ = true;
      return v;
    }
    if (take("n")) return n_;
    skipBlanks();
    if (at_ >= text_.size() || std::isdigit(static_cast<unsigned char>(text_[at_])) == 0) {
      failed_ = true;
      return 0;
    }
    unsigned long v = 0;
    while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_])) != 0) {
      v = v * 10 + static_cast<unsigned long>(text_[at_++] - '0');
    }
    return v;
  }

  void skipBlanks() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])) != 0) ++at_;
  }
  bool startsWith(std::string_view token) const { return text_.substr(at_).starts_with(token); }
  bool take(std::string_view token) {
    skipBlanks();
    if (!startsWith(token)) return false;
    at_ += token.size();
    return true;
  }

  std::string_view text_;
  unsigned long n_;
  std::size_t at_ = 0;
  bool failed_ = false;
};

}  // namespace

std::optional<unsigned long> evaluatePlural(std::string_view expression, unsigned long n) {
  return Reader(expression, n).whole();
}

}  // namespace i18n
