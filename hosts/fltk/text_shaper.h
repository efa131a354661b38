#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/fltk/line_layout.h"
#include "hosts/fltk/text_runs.h"

struct hb_font_t;

namespace fltkhost {

// One font file opened for HarfBuzz at one pixel size: turns runs of characters into the glyphs
// that show them, joined and combined as their script wants. Made and owned by the text
// renderer for each font and size it draws runs in.
class TextShaper {
 public:
  // The face at that index in the font file, at that size in pixels per em. A file that cannot
  // be read gives a shaper with no glyphs (valid() is false).
  TextShaper(const std::string& file, unsigned index, double pixels);

  bool valid() const;
  // The font's design units per em: at that size in pixels, advances are in the font's units.
  unsigned unitsPerEm() const;
  // Called by the text renderer for each run of a line: its glyphs from left to right. The
  // characters around the run are context (an Arabic letter joins across a change of font).
  // Changes nothing.
  std::vector<Glyph> shape(std::u32string_view line, const TextRun& run) const;

 private:
  struct Release {
    void operator()(hb_font_t* font) const;
  };
  // Owned here: HarfBuzz's font, which holds its face and the file's bytes.
  std::unique_ptr<hb_font_t, Release> font_;
};

}  // namespace fltkhost
