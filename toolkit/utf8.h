#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace toolkit {

// The replacement character that stands for bytes which form no character.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Called by the front ends that hand text to the platform in another form (the Linux window's
// font fall-back, the Windows program's wide text): the characters of UTF-8 text. Each byte
// that does not start a well-formed character becomes U+FFFD on its own, and decoding goes on
// with the byte after it, so a damaged name still shows what it can. Changes nothing.
std::u32string decodeUtf8(std::string_view utf8);

// Called by the game when it cuts a name to a number of characters (game/text) and by the script
// driver's JSON, which copies characters whole: the size in bytes of the character that starts
// at utf8[at] (at must be inside the text). A byte that starts no well-formed character counts
// as a character of one byte, exactly as decodeUtf8 replaces it alone, so a cut never splits a
// well-formed character. Changes nothing.
std::size_t utf8CharacterSize(std::string_view utf8, std::size_t at);

// One character of UTF-8 text and the bytes it takes.
struct Utf8Character {
  char32_t value;
  std::size_t size;
};

// Called by the game when it reads the digits of a typed number: the character that starts at
// utf8[at] (at must be inside the text) and its size, a byte that starts no well-formed
// character being U+FFFD of one byte, exactly as decodeUtf8 reads it. Changes nothing.
Utf8Character utf8CharacterAt(std::string_view utf8, std::size_t at);

// Called by the same front ends and by the script driver's JSON (for its \u escapes): appends
// the UTF-8 form of one character to out.
void appendUtf8(std::string& out, char32_t c);

// Called by the same front ends: the UTF-8 form of the characters. Changes nothing.
std::string encodeUtf8(std::u32string_view text);

// Called by the Windows program before any text reaches a wide call: the UTF-16 form of UTF-8
// text, characters that cannot be decoded becoming U+FFFD as in decodeUtf8. Changes nothing.
std::u16string utf8ToUtf16(std::string_view utf8);

// Called by the Windows program for text typed into its input box: UTF-8 from UTF-16, an
// unpaired surrogate becoming U+FFFD. Changes nothing.
std::string utf16ToUtf8(std::u16string_view utf16);

}  // namespace toolkit
