#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace i18n {

// One language's translations: a compiled gettext catalogue (.mo) held in the program's own
// data, read in place. An empty catalogue is English, the language the texts are written in:
// every lookup gives the text back as it is.
class Catalogue {
 public:
  Catalogue() = default;
  // The bytes must outlive the catalogue (they are the program's embedded data). Bytes that are
  // not a catalogue make an empty one.
  explicit Catalogue(std::span<const std::uint8_t> mo);

  // The translation of `text`, or `text` itself when the catalogue has none.
  std::string text(std::string_view text) const;
  // The form of a text with a number for this `n`, chosen by the catalogue's Plural-Forms
  // header; English (no catalogue, or no entry) takes `singular` for 1 and `plural` otherwise.
  std::string plural(std::string_view singular, std::string_view plural, unsigned long n) const;
  // The number of texts translated, the header excluded.
  std::size_t size() const { return count_ == 0 ? 0 : count_ - (header_.empty() ? 0 : 1); }
  // A header field's value ("Language", "Plural-Forms"), or "".
  std::string_view header(std::string_view field) const;

 private:
  std::uint32_t word(std::size_t at) const;
  std::string_view string(std::uint32_t table, std::uint32_t i) const;
  // The translation of the entry whose key (its singular) is `key`, all forms, or nothing.
  bool find(std::string_view key, std::string_view& found) const;

  std::span<const std::uint8_t> mo_;
  bool swapped_ = false;
  std::uint32_t count_ = 0, originals_ = 0, translations_ = 0;
  std::string_view header_;
  std::string_view pluralRule_;
  unsigned long pluralCount_ = 2;
};

}  // namespace i18n
