// The game's key and button codes follow another system's numbering; a slip here would make the
// right button click or Tab type a letter.
#include <gtest/gtest.h>

#include <FL/Enumerations.H>

#include "hosts/fltk/input_map.h"

namespace {

using fltkhost::gameKeyCode;

TEST(InputMap, PassesTheKeysTheGameUsesInItsOwnCodes) {
  EXPECT_EQ(gameKeyCode(' '), 32);
  EXPECT_EQ(gameKeyCode(FL_Tab), 9);
  EXPECT_EQ(gameKeyCode('a'), 'A');
  EXPECT_EQ(gameKeyCode('z'), 'Z');
  EXPECT_EQ(gameKeyCode('0'), '0');
  EXPECT_EQ(gameKeyCode('9'), '9');
  EXPECT_EQ(gameKeyCode(FL_KP + '7'), '7');
}

TEST(InputMap, DropsKeysTheGameNeverSees) {
  for (int key : {FL_Escape, FL_Enter, FL_Shift_L, FL_F + 4, FL_Left, int{'['}, FL_KP_Enter}) {
    EXPECT_FALSE(gameKeyCode(key).has_value()) << key;
  }
}

TEST(InputMap, RenumbersTheMouseButtons) {
  EXPECT_EQ(fltkhost::gameButton(FL_LEFT_MOUSE), 1);
  EXPECT_EQ(fltkhost::gameButton(FL_RIGHT_MOUSE), 2);
  EXPECT_EQ(fltkhost::gameButton(FL_MIDDLE_MOUSE), 4);
  EXPECT_EQ(fltkhost::gameButton(4), 0);  // a wheel or side button
  EXPECT_EQ(fltkhost::gameButtonMask(0), 0);
  EXPECT_EQ(fltkhost::gameButtonMask(FL_BUTTON1), 1);
  EXPECT_EQ(fltkhost::gameButtonMask(FL_BUTTON3), 2);
  EXPECT_EQ(fltkhost::gameButtonMask(FL_BUTTON2 | FL_BUTTON1 | FL_SHIFT), 5);
}

TEST(InputMap, KeepsOnlyShiftCtrlAndAltInTheShiftMask) {
  EXPECT_EQ(fltkhost::gameShiftMask(FL_SHIFT), 1);
  EXPECT_EQ(fltkhost::gameShiftMask(FL_CTRL | FL_ALT), 6);
  EXPECT_EQ(fltkhost::gameShiftMask(FL_CAPS_LOCK | FL_NUM_LOCK | FL_BUTTON1), 0);
}

}  // namespace
