#include "i18n/catalogue.h"

#include "i18n/plural_rule.h"

namespace i18n {

namespace {

constexpr std::uint32_t kMagic = 0x950412de;
constexpr std::uint32_t kMagicSwapped = 0xde120495;

// The text up to its first NUL: an entry with plural forms keeps its plural after the singular.
std::string_view firstPart(std::string_view s) {
  return s.substr(0, s.find('\0'));
}

// The i-th NUL-separated part of a translation, or nothing past the last.
bool part(std::string_view all, unsigned long i, std::string_view& out) {
  for (;; --i) {
    const std::size_t end = all.find('\0');
    if (i == 0) {
      out = all.substr(0, end);
      return true;
    }
    if (end == std::string_view::npos) return false;
    all.remove_prefix(end + 1);
  }
}

}  // namespace

Catalogue::Catalogue(std::span<const std::uint8_t> mo) : mo_(mo) {
  if (mo_.size() < 28) {
    mo_ = {};
    return;
  }
  const std::uint32_t magic = word(0);
  if (magic != kMagic && magic != kMagicSwapped) {
    mo_ = {};
    return;
  }
  swapped_ = magic == kMagicSwapped;
  count_ = word(8);
  originals_ = word(12);
  translations_ = word(16);
  const auto tableEnd = [&](std::uint32_t table) {
    return static_cast<std::uint64_t>(table) + 8ull * count_;
  };
  if (tableEnd(originals_) > mo_.size() || tableEnd(translations_) > mo_.size()) {
    mo_ = {};
    count_ = 0;
    return;
  }
  if (count_ > 0 && string(originals_, 0).empty()) header_ = string(translations_, 0);
  const std::string_view rule = this->header("Plural-Forms");
  // "nplurals=3; plural=(n==1 ? 0 : ...);"
  if (const std::size_t at = rule.find("nplurals="); at != std::string_view::npos) {
    unsigned long count = 0;
    for (std::size_t i = at + 9; i < rule.size() && rule[i] >= '0' && rule[i] <= '9'; ++i) {
      count = count * 10 + static_cast<unsigned long>(rule[i] - '0');
    }
    if (count > 0) pluralCount_ = count;
  }
  if (const std::size_t at = rule.find("plural=", rule.find(';')); at != std::string_view::npos) {
    std::string_view expression = rule.substr(at + 7);
    expression = expression.substr(0, expression.find(';'));
    pluralRule_ = expression;
  }
}

std::uint32_t Catalogue::word(std::size_t at) const {
  if (at + 4 > mo_.size()) return 0;
  const std::uint32_t b0 = mo_[at], b1 = mo_[at + 1], b2 = mo_[at + 2], b3 = mo_[at + 3];
  return swapped_ ? (b0 << 24 | b1 << 16 | b2 << 8 | b3) : (b3 << 24 | b2 << 16 | b1 << 8 | b0);
}

std::string_view Catalogue::string(std::uint32_t table, std::uint32_t i) const {
  const std::uint32_t length = word(table + 8ull * i);
  const std::uint32_t offset = word(table + 8ull * i + 4);
  if (static_cast<std::uint64_t>(offset) + length > mo_.size()) return {};
  return {reinterpret_cast<const char*>(mo_.data()) + offset, length};
}

std::string_view Catalogue::header(std::string_view field) const {
  std::string_view rest = header_;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    if (line.size() > field.size() && line.starts_with(field) && line[field.size()] == ':') {
      std::string_view value = line.substr(field.size() + 1);
      while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
      return value;
    }
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return {};
}

bool Catalogue::find(std::string_view key, std::string_view& found) const {
  // msgfmt sorts the originals by their bytes, so a binary search finds the key.
  std::uint32_t low = 0, high = count_;
  while (low < high) {
    const std::uint32_t middle = low + (high - low) / 2;
    const std::string_view original = firstPart(string(originals_, middle));
    if (original == key) {
      found = string(translations_, middle);
      return true;
    }
    if (original < key) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return false;
}

std::string Catalogue::text(std::string_view text) const {
  std::string_view found;
  if (text.empty() || !find(text, found)) return std::string(text);
  return std::string(firstPart(found));
}

std::string Catalogue::plural(std::string_view singular, std::string_view plural,
                              unsigned long n) const {
  std::string_view found;
  if (find(singular, found)) {
    const unsigned long form = evaluatePlural(pluralRule_, n).value_or(n == 1 ? 0 : 1);
    std::string_view chosen;
    if (form < pluralCount_ && part(found, form, chosen)) return std::string(chosen);
    if (part(found, 0, chosen)) return std::string(chosen);
  }
  return std::string(n == 1 ? singular : plural);
}

}  // namespace i18n
