#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "hosts/script/script_runner.h"
#include "ui/card.h"

// The thirteen categories a player chooses, in the card's order: its score boxes but the bonus.
inline std::vector<frmQuintoz::CheckBoxes frmQuintoz::*> cardCategories() {
  std::vector<frmQuintoz::CheckBoxes frmQuintoz::*> boxes;
  for (const CardRow& row : kCard) {
    if (row.box != nullptr && row.box != &frmQuintoz::chkBonus) boxes.push_back(row.box);
  }
  return boxes;
}

// A headless game driven through the script language, the same path scenario scripts take.
class GameTest : public ::testing::Test {
 protected:
  std::ostringstream out;
  script::ScriptRunner runner{out};
  frmQuintoz& g = runner.game();

  void run(std::initializer_list<std::string> lines) {
    for (const std::string& line : lines) runner.execute(line);
  }
  // Starts a game with the given names (their count is the player count).
  void startWith(std::initializer_list<std::string> names) {
    runner.execute("answer " + std::to_string(names.size()));
    for (const std::string& n : names) runner.execute("answer " + n);
    runner.execute("start");
  }
  std::string echoed() {
    std::string s = out.str();
    out.str({});
    return s;
  }
};
