#include "hosts/fltk/text_shaper.h"

#include <hb-ot.h>
#include <hb.h>

#include <cmath>

namespace fltkhost {

namespace {

// HarfBuzz counts positions in 1/64 of a pixel when the scale is the size in 26.6 fixed point.
constexpr double kSubpixels = 64;

struct ReleaseBuffer {
  void operator()(hb_buffer_t* buffer) const { hb_buffer_destroy(buffer); }
};

}  // namespace

void TextShaper::Release::operator()(hb_font_t* font) const {
  hb_font_destroy(font);
}

TextShaper::TextShaper(const std::string& file, unsigned index, double pixels) {
  hb_blob_t* blob = hb_blob_create_from_file(file.c_str());
  hb_face_t* face = hb_face_create(blob, index);
  hb_blob_destroy(blob);
  font_.reset(hb_font_create(face));
  hb_face_destroy(face);
  hb_ot_font_set_funcs(font_.get());
  const auto scale = static_cast<int>(std::lround(pixels * kSubpixels));
  hb_font_set_scale(font_.get(), scale, scale);
}

bool TextShaper::valid() const {
  return hb_face_get_glyph_count(hb_font_get_face(font_.get())) > 0;
}

unsigned TextShaper::unitsPerEm() const {
  return hb_face_get_upem(hb_font_get_face(font_.get()));
}

std::vector<Glyph> TextShaper::shape(std::u32string_view line, const TextRun& run) const {
  const std::unique_ptr<hb_buffer_t, ReleaseBuffer> buffer(hb_buffer_create());
  static_assert(sizeof(char32_t) == sizeof(uint32_t));
  hb_buffer_add_utf32(buffer.get(), reinterpret_cast<const uint32_t*>(line.data()),
                      static_cast<int>(line.size()), static_cast<unsigned>(run.start),
                      static_cast<int>(run.end - run.start));
  hb_buffer_set_direction(buffer.get(), run.rightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
  hb_buffer_guess_segment_properties(buffer.get());
  hb_shape(font_.get(), buffer.get(), nullptr, 0);
  unsigned count = 0;
  const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer.get(), &count);
  const hb_glyph_position_t* places = hb_buffer_get_glyph_positions(buffer.get(), &count);
  std::vector<Glyph> glyphs;
  glyphs.reserve(count);
  for (unsigned i = 0; i < count; ++i) {
    glyphs.push_back({infos[i].codepoint, infos[i].cluster, places[i].x_advance / kSubpixels,
                      places[i].x_offset / kSubpixels, places[i].y_offset / kSubpixels});
  }
  return glyphs;
}

}  // namespace fltkhost
