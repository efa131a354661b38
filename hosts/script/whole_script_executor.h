#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "hosts/script/script_executor.h"
#include "hosts/script_language/json.h"

namespace script {

// The executor of every line of the script language, as quintoz-script runs it: ScriptExecutor,
// with the lines that look at the game (print, expect, dump, layout, fingerprint, ondialog),
// call its procedures and change its language.
class WholeScriptExecutor : public ScriptExecutor {
 public:
  using ScriptExecutor::ScriptExecutor;

  // Called by the driver as the game asks for an input box or shows a message box: carries out
  // the `ondialog` lines, in order.
  void dialogAsked();

  // The whole state as one JSON object: the variables and every control's properties.
  std::string dump() const;
  // Every control's rectangle in window pixels at 96 dpi, as the window places it now.
  std::string layout() const;
  // The current value of a target ("rollCount", "chk1s(2).Caption").
  JsonValue read(std::string_view target) const;

 private:
  void runOther(const ScriptLine& line) override;
  void callProcedure(const ScriptLine& line);

  // The `ondialog` lines, carried out in order as each dialog is asked.
  std::vector<std::string> onDialog_;
};

}  // namespace script
