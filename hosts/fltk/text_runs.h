#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace fltkhost {

// One stretch of a line drawn with one font in one direction: the characters from start up to
// end (indices of characters in the line as typed), and face, the caller's number for the font.
// Made by splitRuns and owned by its caller.
struct TextRun {
  int face = 0;
  std::size_t start = 0;
  std::size_t end = 0;
  bool rightToLeft = false;
  friend bool operator==(const TextRun&, const TextRun&) = default;
};

// Called by the text renderer: the line cut into runs of neighbouring characters that faceOf
// gives the same face and the bidi algorithm the same direction, in the order they appear on
// screen from left to right. The line's own direction is left to right, as every text of the
// window reads, so a right-to-left name inside an English caption stays where it was typed.
// Combining marks and joiners go with the character before them, so that a base letter and its
// accents or an emoji sequence are drawn by one font. Changes nothing.
std::vector<TextRun> splitRuns(std::u32string_view logical,
                               const std::function<int(char32_t)>& faceOf);

}  // namespace fltkhost
