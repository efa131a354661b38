#include "hosts/core/display_scale.h"

#include <gtest/gtest.h>

namespace windowcore {
namespace {

TEST(XftDpi, ReadsTheResourceAmongOthersAsXrdbStoresIt) {
  EXPECT_EQ(xftDpi("Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n"), 192.0);
  EXPECT_EQ(xftDpi("Xft.dpi:\t144.5"), 144.5);
  EXPECT_EQ(xftDpi("  Xft.dpi :  120  \n"), 120.0);
  // The resource manager keeps the last of several lines for one name.
  EXPECT_EQ(xftDpi("Xft.dpi:\t96\nXft.dpi:\t192\n"), 192.0);
}

TEST(XftDpi, FindsNothingWhereThereIsNoUsableValue) {
  EXPECT_EQ(xftDpi(""), std::nullopt);
  EXPECT_EQ(xftDpi("Xft.antialias:\t1\n"), std::nullopt);
  // Other names that merely contain it, and values that are not positive numbers.
  EXPECT_EQ(xftDpi("Xft.dpiX:\t192\n*dpi:\t192\nMyXft.dpi:\t192\n"), std::nullopt);
  EXPECT_EQ(xftDpi("Xft.dpi:\thigh\n"), std::nullopt);
  EXPECT_EQ(xftDpi("Xft.dpi:\t192dpi\n"), std::nullopt);
  EXPECT_EQ(xftDpi("Xft.dpi:\t0\n"), std::nullopt);
  EXPECT_EQ(xftDpi("Xft.dpi:\t-96\n"), std::nullopt);
  EXPECT_EQ(xftDpi("Xft.dpi\t192\n"), std::nullopt);
}

TEST(ScaleSetting, AcceptsNumbersWithinTheLimits) {
  EXPECT_EQ(parseScaleSetting("1.5"), 1.5);
  EXPECT_EQ(parseScaleSetting("2"), 2.0);
  EXPECT_EQ(parseScaleSetting(" 3 "), 3.0);
  EXPECT_EQ(parseScaleSetting("0.5"), 0.5);
  EXPECT_EQ(parseScaleSetting("8"), 8.0);
}

TEST(ScaleSetting, RejectsAnythingElse) {
  for (const char* bad :
       {"", " ", "big", "2x", "1,5", "0", "-2", "0.49", "8.01", "nan", "inf", "1e400", "150%"}) {
    EXPECT_EQ(parseScaleSetting(bad), std::nullopt) << bad;
  }
}

TEST(ChooseScale, TheSettingWinsOverTheServer) {
  const ScaleChoice choice = chooseScale("Xft.dpi:\t192\n", "1.5");
  EXPECT_EQ(choice.scale, 1.5);
  EXPECT_FALSE(choice.settingIgnored);
}

TEST(ChooseScale, AnUnusableSettingFallsBackToTheServerAndIsReported) {
  const ScaleChoice choice = chooseScale("Xft.dpi:\t192\n", "huge");
  EXPECT_EQ(choice.scale, 2.0);
  EXPECT_TRUE(choice.settingIgnored);
  // An empty variable counts as not set.
  EXPECT_FALSE(chooseScale("Xft.dpi:\t192\n", "").settingIgnored);
  EXPECT_EQ(chooseScale("Xft.dpi:\t192\n", "").scale, 2.0);
}

TEST(ChooseScale, TheServersDensityIsMeasuredFrom96DotsAndKeptWithinTheLimits) {
  EXPECT_EQ(chooseScale("", nullptr).scale, 1.0);
  EXPECT_EQ(chooseScale("Xft.dpi:\t96\n", nullptr).scale, 1.0);
  EXPECT_EQ(chooseScale("Xft.dpi:\t144\n", nullptr).scale, 1.5);
  EXPECT_EQ(chooseScale("Xft.dpi:\t72\n", nullptr).scale, 0.75);
  EXPECT_EQ(chooseScale("Xft.dpi:\t2000\n", nullptr).scale, kMaxScale);
  EXPECT_EQ(chooseScale("Xft.dpi:\t10\n", nullptr).scale, kMinScale);
}

}  // namespace
}  // namespace windowcore
