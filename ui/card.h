#pragma once

#include <array>
#include <cstdint>

#include "ui/frmQuintoz.h"

// The score card described once: each row's label and its box (a score box or a total), with
// the label's text, what a screen reader calls it, the text a translator translates, where both
// stand on the card and where the box comes in the keyboard order. The layout, the events, the
// accessible words and the scripted driver all read this table; the rules that visit the boxes
// in an order of their own (the preview, the totals, the reset) keep theirs.
struct CardRow {
  frmQuintoz::Labels frmQuintoz::*label;
  // The label's English text, which is also the text to translate (see `translated`).
  const char* caption;
  // False for the game's own name spelled out, which every language shows as it is.
  bool translated;
  // What a screen reader says for the label when it is not the caption's own words, or nullptr.
  const char* spokenName;
  // For a total: its label as a screen reader says it inside a sentence ("Full House scored 25,
  // sub-total 30"), also the text to translate; nullptr for a score box.
  const char* inSentence;
  float labelLeft, labelTop, labelWidth, labelHeight;
  // Exactly one of the two: the row's score box, or its total.
  frmQuintoz::CheckBoxes frmQuintoz::*box;
  frmQuintoz::TextBoxes frmQuintoz::*total;
  // The score box's click handler, named as its box with "_Click" (nullptr for a total).
  void (frmQuintoz::*click)(std::int16_t);
  float boxLeft, boxTop, boxWidth, boxHeight;
  // Shown on the box and its label on seats 1..4, or nullptr.
  const char* toolTip;
  // Place of the box among the card's sixteen boxes in the keyboard order (the first card runs
  // the other way round); the labels follow the boxes in the order of this table.
  std::int16_t tabRank;
};

// Rows in the order the card lists them, upper section first; boxes and labels are added to
// their card in this order, which the scripted driver's dump shows.
extern const std::array<CardRow, 16> kCard;
