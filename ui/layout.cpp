// The window as it is laid out before the start-up runs: every control, its place, texts,
// fonts, colours, pictures, stacking and keyboard order.
#include <algorithm>
#include <array>

#include "i18n/catalogues.h"
#include "i18n/format.h"
#include "ui/card.h"
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

void styleButton(Control& c, const Font& font) {
  c.font = font;
  c.BackColor = kGreen;
  c.ForeColor = kBlack;
}

}  // namespace

frmQuintoz::frmQuintoz(toolkit::Host& hostRef, i18n::Catalogue words)
    : language(words), host(hostRef) {
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
                       float height, const Font& font, std::int16_t tabIndex) {
    place(button, left, top, width, height);
    styleButton(button, font);
    button.TabIndex = tabIndex;
    add(form, button);
  };
  addButton(cmdNewGame, 9270, 0, 255, 255, kSystemBold, 173);
  addButton(cmdRoll, 120, 4440, 5055, 495, kArialNarrowBold, 7);

  place(fraRoll, 120, 240, 5055, 4320);
  fraRoll.font = kSansSerifBold;
  fraRoll.BackColor = kBrown;
  fraRoll.ForeColor = kWhite;
  fraRoll.hasBorder = false;
  fraRoll.TabIndex = 0;
  add(form, fraRoll);

  addButton(cmdExit, 9570, 0, 255, 255, kSystemBold, 6);

  // Seat 0 is listed first, in front of the others, but stays hidden for the whole run.
  for (std::int16_t n = 0; n <= 4; ++n) {
    toolkit::Frame& card = fraPlayer[n];
    place(card, n == 0 ? 600 : 5280, 300, 4455, 4575);
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
    // Keyboard order inside the card: the boxes and the two totals, then the labels.
    auto boxTab = [&](const CardRow& row) {
      return static_cast<std::int16_t>(card.TabIndex + 1 +
                                       (n == 1 ? 15 - row.tabRank : row.tabRank));
    };
    auto addBox = [&](const CardRow& row, Control& box) {
      place(box, row.boxLeft, row.boxTop, row.boxWidth, row.boxHeight);
      styleButton(box, row.total == &frmQuintoz::txtTotal ? kArialLargeBold : kArialBold);
      box.TabIndex = boxTab(row);
      add(card, box);
    };
    for (const CardRow& row : kCard) {
      if (row.box != nullptr) addBox(row, (this->*row.box)[n]);
    }
    for (const CardRow& row : kCard) {
      if (row.total != nullptr) addBox(row, (this->*row.total)[n]);
    }
    std::int16_t next = static_cast<std::int16_t>(card.TabIndex + 17);
    for (const CardRow& row : kCard) {
      toolkit::Label& label = (this->*row.label)[n];
      place(label, row.labelLeft, row.labelTop, row.labelWidth, row.labelHeight);
      label.font = row.total == &frmQuintoz::txtTotal ? kArialLargeBold : kArialBold;
      label.ForeColor = kWhite;
      label.TabIndex = next++;
      add(card, label);
    }
    place(Shape1[n], n == 0 ? 2400 : 2340, 3540, n == 0 ? 1875 : 1935, 855);
    add(card, Shape1[n]);
  }

  writeTexts();
  bindEvents();
}

void frmQuintoz::writeTexts() {
  cmdNewGame.Caption = "N";
  cmdNewGame.ToolTipText = tr("Start New Game");
  // TRANSLATORS: the roll button before the first start-up has named the players.
  cmdRoll.Caption = tr("Player 1 [3 rolls left]");
  cmdRoll.ToolTipText = tr("Click To Roll");
  // TRANSLATORS: the roll tray's name, read by screen readers (it is not drawn).
  fraRoll.Caption = tr("Click to Roll");
  fraRoll.ToolTipText = cmdRoll.ToolTipText;
  cmdExit.Caption = "X";
  cmdExit.ToolTipText = tr("Quit");
  for (std::int16_t n = 0; n <= 4; ++n) {
    // TRANSLATORS: a score card's title until its player's first turn names it.
    fraPlayer[n].Caption = i18n::format(tr("Player %d"), "", n);
    for (const CardRow& row : kCard) {
      toolkit::Label& label = (this->*row.label)[n];
      label.Caption = row.translated ? tr(row.caption) : row.caption;
      if (row.toolTip != nullptr && n != 0) {
        label.ToolTipText = tr(row.toolTip);
        (this->*row.box)[n].ToolTipText = label.ToolTipText;
      }
    }
  }
}

std::string frmQuintoz::withCarriageReturns(std::string text) {
  std::replace(text.begin(), text.end(), '\n', '\r');
  return text;
}

void frmQuintoz::useLanguage(i18n::Catalogue other) {
  language = other;
  writeTexts();
}
