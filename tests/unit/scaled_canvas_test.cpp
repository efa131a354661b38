#include "toolkit/scaled_canvas.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using toolkit::Font;
using toolkit::Image;
using toolkit::PixelRect;

// Records what reaches the platform, in device pixels.
class RecordingCanvas : public toolkit::Canvas {
 public:
  void pushClip(const PixelRect& r) override { clips.push_back(r); }
  void popClip() override { ++pops; }
  void fillRect(const PixelRect& r, toolkit::Rgb) override { fills.push_back(r); }
  void drawText(const PixelRect& box, std::string_view, const Font& font, toolkit::Rgb,
                toolkit::HAlign) override {
    texts.push_back(box);
    fonts.push_back(font);
  }
  // Seven device pixels a character at 13 points, and in proportion to the size.
  int textWidth(std::string_view utf8, const Font& font) override {
    return static_cast<int>(utf8.size() * 7 * font.points / 13);
  }
  void drawImage(int x, int y, const Image& image) override {
    images.push_back({x, y, image.width, image.height});
    imageAddresses.insert(&image);
  }
  void drawFocusRect(const PixelRect& r) override { focus.push_back(r); }

  std::vector<PixelRect> clips, fills, texts, focus, images;
  std::vector<Font> fonts;
  std::set<const Image*> imageAddresses;
  int pops = 0;
};

Image picture(int w, int h) {
  Image image;
  image.width = w;
  image.height = h;
  image.rgb.resize(static_cast<std::size_t>(w) * h * 3);
  for (std::size_t i = 0; i < image.rgb.size(); ++i) image.rgb[i] = static_cast<std::uint8_t>(i);
  return image;
}

auto tie(const PixelRect& r) {
  return std::tuple(r.x, r.y, r.w, r.h);
}

TEST(ScaledCanvas, MultipliesEveryRectangleAndRoundsEdgesSoNeighboursStillMeet) {
  RecordingCanvas device;
  toolkit::PictureCache cache(&toolkit::scaleNearest);
  toolkit::ScaledCanvas canvas(device, 1.5, cache);
  // Two boxes side by side at odd positions and widths: 1.5 times 3 is 4.5.
  canvas.fillRect({3, 1, 3, 5}, {});
  canvas.fillRect({6, 1, 3, 5}, {});
  ASSERT_EQ(device.fills.size(), 2u);
  EXPECT_EQ(tie(device.fills[0]), std::tuple(5, 2, 4, 7));
  EXPECT_EQ(device.fills[0].x + device.fills[0].w, device.fills[1].x);
  EXPECT_EQ(tie(device.fills[1]), std::tuple(9, 2, 5, 7));
  // The whole window: 655 x 336 becomes 983 x 504, as the window is sized.
  canvas.pushClip({0, 0, 655, 336});
  canvas.popClip();
  EXPECT_EQ(tie(device.clips.at(0)), std::tuple(0, 0, 983, 504));
  EXPECT_EQ(device.pops, 1);
  canvas.drawFocusRect({-24, 10, 20, 10});
  EXPECT_EQ(tie(device.focus.at(0)), std::tuple(-36, 15, 30, 15));
}

TEST(ScaledCanvas, ScalesFontsAndMeasuresTextBackInLayoutPixelsRoundedUp) {
  RecordingCanvas device;
  toolkit::PictureCache cache(&toolkit::scaleNearest);
  toolkit::ScaledCanvas canvas(device, 2.0, cache);
  const Font arial{"Arial", 9.75f, true};
  canvas.drawText({10, 20, 30, 40}, "Ann", arial, {}, toolkit::HAlign::Left);
  EXPECT_EQ(tie(device.texts.at(0)), std::tuple(20, 40, 60, 80));
  EXPECT_EQ(device.fonts.at(0), (Font{"Arial", 19.5f, true}));
  // 3 characters at 19.5 points are 31 device pixels: 15.5 layout pixels, rounded up.
  EXPECT_EQ(canvas.textWidth("Ann", arial), 16);
}

TEST(ScaledCanvas, MakesEachPictureOnceAndDrawsItAtTheScaledPlace) {
  RecordingCanvas device;
  int made = 0;
  toolkit::PictureCache cache([&made](const Image& image, double scale) {
    ++made;
    return toolkit::scaleNearest(image, scale);
  });
  const Image face = picture(39, 39);
  {
    toolkit::ScaledCanvas canvas(device, 2.0, cache);
    canvas.drawImage(3, -32, face);
    canvas.drawImage(50, 60, face);
  }
  // A later paint with a new canvas uses the picture made before.
  toolkit::ScaledCanvas again(device, 2.0, cache);
  again.drawImage(1, 1, face);
  EXPECT_EQ(made, 1);
  EXPECT_EQ(device.imageAddresses.size(), 1u);
  EXPECT_EQ(tie(device.images.at(0)), std::tuple(6, -64, 78, 78));
  EXPECT_EQ(tie(device.images.at(1)), std::tuple(100, 120, 78, 78));
  // Another scale makes another picture.
  toolkit::ScaledCanvas larger(device, 3.0, cache);
  larger.drawImage(0, 0, face);
  EXPECT_EQ(made, 2);
}

TEST(ScaleNearest, RepeatsPixelsWithoutMakingNewColours) {
  const Image small = picture(3, 2);
  const Image twice = toolkit::scaleNearest(small, 2.0);
  ASSERT_EQ(twice.width, 6);
  ASSERT_EQ(twice.height, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(twice.pixel(x, y)[c], small.pixel(x / 2, y / 2)[c]) << x << "," << y;
      }
    }
  }
  const Image oneAndHalf = toolkit::scaleNearest(small, 1.5);
  ASSERT_EQ(oneAndHalf.width, 5);  // 4.5 rounds up
  ASSERT_EQ(oneAndHalf.height, 3);
  std::set<std::tuple<int, int, int>> before, after;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      const auto* p = small.pixel(x, y);
      before.insert({p[0], p[1], p[2]});
    }
  }
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      const auto* p = oneAndHalf.pixel(x, y);
      after.insert({p[0], p[1], p[2]});
    }
  }
  EXPECT_EQ(after, before);
}

}  // namespace
