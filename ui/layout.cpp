// The window as it is laid out before the start-up runs: every control, its place, texts,
// fonts, colours, pictures, stacking and keyboard order.
#include <array>

#include "ui/frmQuintoz.h"
#include "ui/pictures.h"

using toolkit::Control;
using toolkit::Font;
using toolkit::Rgb;

namespace {

constexpr Rgb kBrown{128, 64, 0};
constexpr Rgb kGreen{136, 219, 115};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

const Font kSystemBold{"System", 9.75f, true};
const Font kArialNarrowBold{"Arial Narrow", 14.25f, true};
const Font kSansSerifBold{"MS Sans Serif", 12.0f, true};
const Font kArialBold{"Arial", 9.75f, true};
const Font kArialLargeBold{"Arial", 18.0f, true};

void place(Control& c, float left, float top, float width, float height) {
  c.Left = left;
  c.Top = top;
  c.Width = width;
  c.Height = height;
}

struct CardRow {
  frmQuintoz::Labels frmQuintoz::*label;
  const char* caption;
  float labelLeft, labelTop, labelWidth, labelHeight;
};

// The labels of a card, in the order they are listed on it.
constexpr std::array<CardRow, 16> kCardLabels{{
    {&frmQuintoz::Label1, "Ones", 180, 540, 975, 315},
    {&frmQuintoz::Label2, "Twos", 180, 960, 975, 315},
    {&frmQuintoz::Label3, "Threes", 180, 1380, 975, 315},
    {&frmQuintoz::Label4, "Fours", 180, 1800, 975, 315},
    {&frmQuintoz::Label5, "Fives", 180, 2220, 975, 315},
    {&frmQuintoz::Label6, "Sixes", 180, 2640, 975, 315},
    {&frmQuintoz::lblSubTotal, "Sub-Total", 180, 3120, 975, 315},
    {&frmQuintoz::Label7, "Bonus", 180, 3600, 975, 315},
    {&frmQuintoz::Label8, "Three of a Kind", 2100, 540, 1575, 315},
    {&frmQuintoz::Label9, "Four of a Kind", 2100, 960, 1575, 315},
    {&frmQuintoz::Label10, "Full House", 2100, 1380, 1575, 315},
    {&frmQuintoz::Label11, "Small Straight", 2100, 1800, 1575, 315},
    {&frmQuintoz::Label12, "Large Straight", 2100, 2220, 1575, 315},
    {&frmQuintoz::Label13, "Chance", 2100, 2640, 1575, 315},
    {&frmQuintoz::Label14, "Q U I N T O Z", 2100, 3060, 1575, 315},
    {&frmQuintoz::Label15, "Total", 2400, 3780, 915, 375},
}};

struct CardBox {
  frmQuintoz::CheckBoxes frmQuintoz::*box;
  float left, top;
};

constexpr std::array<CardBox, 14> kCardBoxes{{
    {&frmQuintoz::chk1s, 1200, 480},
    {&frmQuintoz::chk2s, 1200, 900},
    {&frmQuintoz::chk3s, 1200, 1320},
    {&frmQuintoz::chk4s, 1200, 1740},
    {&frmQuintoz::chk5s, 1200, 2160},
    {&frmQuintoz::chk6s, 1200, 2580},
    {&frmQuintoz::chkBonus, 1200, 3540},
    {&frmQuintoz::chk3Kind, 3720, 480},
    {&frmQuintoz::chk4Kind, 3720, 900},
    {&frmQuintoz::chkFullHouse, 3720, 1320},
    {&frmQuintoz::chkSmall, 3720, 1740},
    {&frmQuintoz::chkLarge, 3720, 2160},
    {&frmQuintoz::chkChance, 3720, 2580},
    {&frmQuintoz::chkQuintoz, 3720, 3000},
}};

// Keyboard order of the boxes within a card; the first card runs the other way round.
constexpr std::array<frmQuintoz::CheckBoxes frmQuintoz::*, 14> kCardTabOrder{
    &frmQuintoz::chk1s,     &frmQuintoz::chk2s,    &frmQuintoz::chkBonus, &frmQuintoz::chkQuintoz,
    &frmQuintoz::chkChance, &frmQuintoz::chkLarge, &frmQuintoz::chkSmall, &frmQuintoz::chkFullHouse,
    &frmQuintoz::chk4Kind,  &frmQuintoz::chk3Kind, &frmQuintoz::chk6s,    &frmQuintoz::chk5s,
    &frmQuintoz::chk4s,     &frmQuintoz::chk3s};

const char* const kBonusTip =
    "If the sub total is 63 or greater you will be awarded a 35 Point Bonus!";

void styleButton(Control& c, const Font& font) {
  c.font = font;
  c.BackColor = kGreen;
  c.ForeColor = kBlack;
}

}  // namespace

frmQuintoz::frmQuintoz(toolkit::Host& hostRef) : host(hostRef) {
  const WindowPictures& pictures = windowPictures();

  form.Caption = "Quintoz";
  form.BackColor = kBrown;
  form.Icon = pictures.icon;
  place(form, 0, 0, 9825, 5040);

  auto add = [this](Control& container, Control& child) {
    container.addChild(child);
    form.registerControl(child);
  };

  // The three command buttons differ only in place, texts, font and keyboard order.
  auto addButton = [&](toolkit::CommandButton& button, float left, float top, float width,
                       float height, const char* caption, const char* tip, const Font& font,
                       std::int16_t tabIndex) {
    place(button, left, top, width, height);
    button.Caption = caption;
    button.ToolTipText = tip;
    styleButton(button, font);
    button.TabIndex = tabIndex;
    add(form, button);
  };
  addButton(cmdNewGame, 9270, 0, 255, 255, "N", "Start New Game", kSystemBold, 173);
  addButton(cmdRoll, 120, 4440, 5055, 495, "Player 1 [3 rolls left]", "Click To Roll",
            kArialNarrowBold, 7);

  place(fraRoll, 120, 240, 5055, 4320);
  fraRoll.Caption = "Click to Roll";
  fraRoll.ToolTipText = "Click To Roll";
  fraRoll.font = kSansSerifBold;
  fraRoll.BackColor = kBrown;
  fraRoll.ForeColor = kWhite;
  fraRoll.hasBorder = false;
  fraRoll.TabIndex = 0;
  add(form, fraRoll);

  addButton(cmdExit, 9570, 0, 255, 255, "X", "Quit", kSystemBold, 6);

  // Seat 0 is listed first, in front of the others, but stays hidden for the whole run.
  for (std::int16_t n = 0; n <= 4; ++n) {
    toolkit::Frame& card = fraPlayer[n];
    place(card, n == 0 ? 600 : 5280, 300, 4455, 4575);
    card.Caption = "Player " + std::to_string(n);
    card.font = kArialBold;
    card.BackColor = kBrown;
    card.ForeColor = kWhite;
    card.Visible = n != 0;
    add(form, card);
  }

  for (std::int16_t n = 6; n >= 1; --n) {
    place(imDie[n], 420.0f + 660.0f * static_cast<float>(n - 1), 360, 585, 585);
    imDie[n].Picture = pictures.faces[n];
    imDie[n].Visible = false;
    add(form, imDie[n]);
  }

  // The dice start in the held row, hidden until rolled, in front of the tray picture.
  for (std::int16_t n = 5; n >= 1; --n) {
    toolkit::CheckBox& die = chkDie[n];
    place(die, 720.0f * n, 180, 675, n <= 2 ? 705 : 720);
    die.BackColor = kWhite;
    die.Picture = pictures.designs[n];
    die.Visible = false;
    die.TabIndex = n;
    add(fraRoll, die);
  }
  place(imgBG, -480, 0, 5565, 4245);
  imgBG.Picture = pictures.tray;
  add(fraRoll, imgBG);

  // The score cards: boxes and text boxes in front, then labels, the outline behind them all.
  const std::array<std::int16_t, 5> cardTabBase{41, 8, 74, 107, 140};
  for (std::int16_t n = 0; n <= 4; ++n) {
    toolkit::Frame& card = fraPlayer[n];
    card.TabIndex = cardTabBase[n];
    for (const CardBox& slot : kCardBoxes) {
      toolkit::CheckBox& box = (this->*slot.box)[n];
      place(box, slot.left, slot.top, 435, 375);
      styleButton(box, kArialBold);
      add(card, box);
    }
    place(txtSubTotal[n], 1200, 3060, 435, 375);
    place(txtTotal[n], 3360, 3720, 735, 495);
    styleButton(txtSubTotal[n], kArialBold);
    styleButton(txtTotal[n], kArialLargeBold);
    add(card, txtSubTotal[n]);
    add(card, txtTotal[n]);
    for (const CardRow& row : kCardLabels) {
      toolkit::Label& label = (this->*row.label)[n];
      place(label, row.labelLeft, row.labelTop, row.labelWidth, row.labelHeight);
      label.Caption = row.caption;
      label.font = row.label == &frmQuintoz::Label15 ? kArialLargeBold : kArialBold;
      label.ForeColor = kWhite;
      add(card, label);
    }
    if (n != 0) {
      chkBonus[n].ToolTipText = kBonusTip;
      Label7[n].ToolTipText = kBonusTip;
    }
    place(Shape1[n], n == 0 ? 2400 : 2340, 3540, n == 0 ? 1875 : 1935, 855);
    add(card, Shape1[n]);

    // Keyboard order inside the card: the boxes, the two totals, then the labels.
    std::int16_t next = static_cast<std::int16_t>(card.TabIndex + 1);
    if (n == 1) {
      txtTotal[n].TabIndex = next++;
      txtSubTotal[n].TabIndex = next++;
      for (auto it = kCardTabOrder.rbegin(); it != kCardTabOrder.rend(); ++it) {
        (this->**it)[n].TabIndex = next++;
      }
    } else {
      for (auto member : kCardTabOrder) (this->*member)[n].TabIndex = next++;
      txtSubTotal[n].TabIndex = next++;
      txtTotal[n].TabIndex = next++;
    }
    for (const CardRow& row : kCardLabels) (this->*row.label)[n].TabIndex = next++;
  }

  bindEvents();
}
