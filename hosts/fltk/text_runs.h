#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fltkhost {

// Called by the text renderer for every line that holds a right-to-left character: the line in
// the order its characters appear on screen from left to right, with Arabic letters replaced by
// their joined presentation forms and mirrored brackets turned. The line's own direction is
// left to right, as every text of the window reads, so a right-to-left name inside an English
// caption stays where it was typed. Lines without such characters come back unchanged.
std::u32string visualOrder(std::u32string_view logical);

// One stretch of text drawn with one font: face is the caller's number for the font. Made and
// owned by the caller of splitRuns.
struct TextRun {
  int face = 0;
  std::string utf8;
  friend bool operator==(const TextRun&, const TextRun&) = default;
};

// Called by the text renderer: the text (in visual order) cut into runs of neighbouring
// characters that faceOf gives the same face. Combining marks and joiners go with the character
// before them, so that a base letter and its accents or an emoji sequence are drawn by one font.
std::vector<TextRun> splitRuns(std::u32string_view visual,
                               const std::function<int(char32_t)>& faceOf);

}  // namespace fltkhost
