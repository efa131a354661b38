#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "hosts/fltk/text_shaper.h"
#include "toolkit/utf8.h"

namespace fltkhost {

// How GoogleTest shows a glyph when a comparison fails.
void PrintTo(const Glyph& g, std::ostream* out) {
  *out << g.id << "=" << g.cluster << "@" << g.dx << "," << g.dy << "+" << g.advance;
}

}  // namespace fltkhost

namespace {

using fltkhost::Glyph;
using fltkhost::TextRun;
using fltkhost::TextShaper;

struct ClosePipe {
  void operator()(FILE* pipe) const { pclose(pipe); }
};

// The glyphs HarfBuzz's own command-line shaper gives for the text in that font at its design
// size, where advances are in the font's units; empty when hb-shape could not be run.
std::vector<Glyph> referenceShape(const std::string& file, const std::string& text) {
  // hb-shape reads its arguments in the locale's encoding: without a UTF-8 locale (a bare
  // root has none) it cannot read a name in any script but Latin. C.UTF-8 is always there.
  const std::string command =
      "LC_ALL=C.UTF-8 hb-shape --no-glyph-names '" + file + "' '" + text + "'";
  const std::unique_ptr<FILE, ClosePipe> pipe(popen(command.c_str(), "r"));
  std::string output;
  char chunk[256];
  while (pipe && std::fgets(chunk, sizeof chunk, pipe.get()) != nullptr) output += chunk;
  // The glyphs are listed between brackets, parted by bars.
  for (char& c : output) {
    if (c == '[' || c == ']' || c == '|') c = ' ';
  }
  std::istringstream words(output);
  std::vector<Glyph> glyphs;
  // Each reads id=cluster, then @dx,dy when the glyph is moved, then +advance.
  for (std::string word; words >> word;) {
    Glyph g;
    if (std::sscanf(word.c_str(), "%u=%zu@%lf,%lf+%lf", &g.id, &g.cluster, &g.dx, &g.dy,
                    &g.advance) == 5 ||
        std::sscanf(word.c_str(), "%u=%zu+%lf", &g.id, &g.cluster, &g.advance) == 3) {
      glyphs.push_back(g);
    }
  }
  return glyphs;
}

void expectSameAsHarfBuzz(const std::string& file, const std::string& name, bool rightToLeft) {
  if (!std::filesystem::exists(file)) GTEST_SKIP() << file << " is not installed";
  const std::vector<Glyph> reference = referenceShape(file, name);
  if (reference.empty()) GTEST_SKIP() << "hb-shape (libharfbuzz-bin) could not shape " << name;
  const TextShaper probe(file, 0, 1);
  ASSERT_TRUE(probe.valid()) << file;
  // At the design size in pixels, the shaper's advances are in the font's units too.
  const TextShaper shaper(file, 0, probe.unitsPerEm());
  const std::u32string text = toolkit::decodeUtf8(name);
  EXPECT_EQ(shaper.shape(text, TextRun{0, 0, text.size(), rightToLeft}), reference) << name;
}

TEST(TextShaper, DevanagariConjunctsComeOutAsHarfBuzzShapesThem) {
  // Kshatriya: "ksha" and "tra" are conjuncts and the i sign goes before its consonants.
  expectSameAsHarfBuzz("/usr/share/fonts/truetype/lohit-devanagari/Lohit-Devanagari.ttf",
                       "\u0915\u094d\u0937\u0924\u094d\u0930\u093f\u092f", false);
}

TEST(TextShaper, ArabicLettersJoinAsHarfBuzzShapesThem) {
  // Marhaba, and Maryam with a vowel mark placed over its first letter.
  for (const char* name : {"\u0645\u0631\u062d\u0628\u0627", "\u0645\u064e\u0631\u064a\u0645"}) {
    expectSameAsHarfBuzz("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", name, true);
  }
}

TEST(TextShaper, AFileThatCannotBeReadShapesNothing) {
  const TextShaper missing("/nonexistent/font.ttf", 0, 13);
  EXPECT_FALSE(missing.valid());
}

}  // namespace
