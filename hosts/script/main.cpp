// quintoz-script: plays the real game headless from a script, for scenario tests and replays.
#include <fstream>
#include <iostream>

#include "hosts/script/script_runner.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "usage: quintoz-script [SCRIPT]  (reads standard input without one)\n";
    return 2;
  }
  script::ScriptRunner runner(std::cout);
  if (argc == 2) {
    std::ifstream file(argv[1]);
    if (!file) {
      std::cerr << "quintoz-script: cannot read " << argv[1] << "\n";
      return 2;
    }
    return runner.run(file, std::cerr);
  }
  return runner.run(std::cin, std::cerr);
}
