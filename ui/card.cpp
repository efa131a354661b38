// The score card's one table.
#include "ui/card.h"

#include "i18n/catalogues.h"

namespace {

using F = frmQuintoz;

const char* const kBonusTip =
    N_("If the sub total is 63 or greater you will be awarded a 35 Point Bonus!");

}  // namespace

// TRANSLATORS: the score card's categories; each label has 65 pixels (the upper section) or
// 105 pixels (the lower) at 96 dpi, in Arial 9.75 pt bold. "sub-total" and "total" are the two
// totals as a screen reader says them inside a sentence, in full and with no room to fit:
// "Full House scored 25, sub-total 30, total 70".
// clang-format off
const std::array<CardRow, 16> kCard{{
    {&F::Label1, N_("Ones"), true, nullptr, nullptr, 180, 540, 975, 315,
     &F::chk1s, nullptr, &F::chk1s_Click, 1200, 480, 435, 375, nullptr, 0},
    {&F::Label2, N_("Twos"), true, nullptr, nullptr, 180, 960, 975, 315,
     &F::chk2s, nullptr, &F::chk2s_Click, 1200, 900, 435, 375, nullptr, 1},
    {&F::Label3, N_("Threes"), true, nullptr, nullptr, 180, 1380, 975, 315,
     &F::chk3s, nullptr, &F::chk3s_Click, 1200, 1320, 435, 375, nullptr, 13},
    {&F::Label4, N_("Fours"), true, nullptr, nullptr, 180, 1800, 975, 315,
     &F::chk4s, nullptr, &F::chk4s_Click, 1200, 1740, 435, 375, nullptr, 12},
    {&F::Label5, N_("Fives"), true, nullptr, nullptr, 180, 2220, 975, 315,
     &F::chk5s, nullptr, &F::chk5s_Click, 1200, 2160, 435, 375, nullptr, 11},
    {&F::Label6, N_("Sixes"), true, nullptr, nullptr, 180, 2640, 975, 315,
     &F::chk6s, nullptr, &F::chk6s_Click, 1200, 2580, 435, 375, nullptr, 10},
    {&F::lblSubTotal, N_("Sub-Total"), true, nullptr, N_("sub-total"), 180, 3120, 975, 315,
     nullptr, &F::txtSubTotal, nullptr, 1200, 3060, 435, 375, nullptr, 14},
    {&F::Label7, N_("Bonus"), true, nullptr, nullptr, 180, 3600, 975, 315,
     &F::chkBonus, nullptr, &F::chkBonus_Click, 1200, 3540, 435, 375, kBonusTip, 2},
    {&F::Label8, N_("Three of a Kind"), true, nullptr, nullptr, 2100, 540, 1575, 315,
     &F::chk3Kind, nullptr, &F::chk3Kind_Click, 3720, 480, 435, 375, nullptr, 9},
    {&F::Label9, N_("Four of a Kind"), true, nullptr, nullptr, 2100, 960, 1575, 315,
     &F::chk4Kind, nullptr, &F::chk4Kind_Click, 3720, 900, 435, 375, nullptr, 8},
    {&F::Label10, N_("Full House"), true, nullptr, nullptr, 2100, 1380, 1575, 315,
     &F::chkFullHouse, nullptr, &F::chkFullHouse_Click, 3720, 1320, 435, 375, nullptr, 7},
    {&F::Label11, N_("Small Straight"), true, nullptr, nullptr, 2100, 1800, 1575, 315,
     &F::chkSmall, nullptr, &F::chkSmall_Click, 3720, 1740, 435, 375, nullptr, 6},
    {&F::Label12, N_("Large Straight"), true, nullptr, nullptr, 2100, 2220, 1575, 315,
     &F::chkLarge, nullptr, &F::chkLarge_Click, 3720, 2160, 435, 375, nullptr, 5},
    {&F::Label13, N_("Chance"), true, nullptr, nullptr, 2100, 2640, 1575, 315,
     &F::chkChance, nullptr, &F::chkChance_Click, 3720, 2580, 435, 375, nullptr, 4},
    {&F::Label14, "Q U I N T O Z", false, "Quintoz", nullptr, 2100, 3060, 1575, 315,
     &F::chkQuintoz, nullptr, &F::chkQuintoz_Click, 3720, 3000, 435, 375, nullptr, 3},
    {&F::Label15, N_("Total"), true, nullptr, N_("total"), 2400, 3780, 915, 375,
     nullptr, &F::txtTotal, nullptr, 3360, 3720, 735, 495, nullptr, 15},
}};
// clang-format on
