// The digest behind the window's repaint policy: the form is painted on a canvas that draws
// nothing and only mixes every call and its arguments into a hash. A form has a few dozen
// controls, so this costs far less than the paint it saves on every mouse move. Nothing in it
// depends on where the process keeps things, so the window and the headless driver playing the
// same game get the same digest.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hosts/core/window_core.h"
#include "toolkit/painter.h"

namespace windowcore {

namespace {

class HashingCanvas : public toolkit::Canvas {
 public:
  // The painter draws only the controls' pictures; each is named once, whatever its address.
  explicit HashingCanvas(const toolkit::Form& form) {
    for (const toolkit::Control* c : form.controls()) {
      if (!c->Picture.empty()) names_.emplace_back(c->Picture.image.get(), c->Picture.name);
    }
  }

  std::uint64_t digest() const { return hash_; }

  void pushClip(const toolkit::PixelRect& r) override { mix(1, r); }
  void popClip() override { mixValue(2); }
  void fillRect(const toolkit::PixelRect& r, toolkit::Rgb colour) override {
    mix(3, r);
    mixColour(colour);
  }
  void drawText(const toolkit::PixelRect& box, std::string_view utf8, const toolkit::Font& font,
                toolkit::Rgb colour, toolkit::HAlign align) override {
    mix(4, box);
    mixText(utf8);
    mixText(font.face);
    mixValue(static_cast<std::uint64_t>(font.points * 100) * 2 + (font.bold ? 1 : 0));
    mixColour(colour);
    mixValue(static_cast<std::uint64_t>(align));
  }
  // Any width will do: the same text in the same font always gets the same one, and the text
  // itself is part of the digest wherever it is drawn.
  int textWidth(std::string_view utf8, const toolkit::Font& /*font*/) override {
    return static_cast<int>(utf8.size());
  }
  // Pictures are shared and never change, and the name a control's picture carries is the
  // one registered with it ("face3", "tray").
  void drawImage(int x, int y, const toolkit::Image& image) override {
    mix(5, {x, y, image.width, image.height});
    for (const auto& [known, name] : names_) {
      if (known == &image) {
        mixText(name);
        return;
      }
    }
    // The painter draws no other picture; were it to, its address would still tell it apart.
    mixValue(reinterpret_cast<std::uintptr_t>(&image));
  }
  void drawFocusRect(const toolkit::PixelRect& r) override { mix(6, r); }

 private:
  // FNV-1a over 64-bit words.
  void mixValue(std::uint64_t v) {
    hash_ ^= v;
    hash_ *= 1099511628211ULL;
  }
  void mix(std::uint64_t call, const toolkit::PixelRect& r) {
    mixValue(call);
    for (int v : {r.x, r.y, r.w, r.h}) mixValue(static_cast<std::uint32_t>(v));
  }
  void mixColour(toolkit::Rgb c) { mixValue((c.r << 16) | (c.g << 8) | c.b); }
  void mixText(std::string_view s) {
    mixValue(s.size());
    for (unsigned char c : s) mixValue(c);
  }

  std::uint64_t hash_ = 14695981039346656037ULL;
  std::vector<std::pair<const toolkit::Image*, std::string_view>> names_;
};

}  // namespace

std::uint64_t formFingerprint(const toolkit::Form& form) {
  HashingCanvas canvas(form);
  toolkit::paintForm(form, canvas);
  return canvas.digest();
}

std::string fingerprintText(std::uint64_t fingerprint) {
  // Written out by hand: printf would bring its whole formatter into the page for this alone.
  std::string text(16, '0');
  for (std::size_t i = text.size(); i-- > 0; fingerprint >>= 4) {
    text[i] = "0123456789abcdef"[fingerprint & 15];
  }
  return text;
}

}  // namespace windowcore
