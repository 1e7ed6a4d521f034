// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a Wetterlog tree of one-minute rows for measuring the tools on long
// histories: make-log-tree FOLDER FIRST_YEAR YEARS [t|w|m] [monatsordner]
// [wochenordner] (daily, weekly or monthly files, month and week folders).
#include <cstdlib>
#include <iostream>
#include <string>

#include "minute_log_tree.h"

int main(int argc, char** argv) {
  tavik::bench::LogLayout layout;
  bool known = argc >= 4;
  for (int a = 4; a < argc && known; ++a) {
    const std::string option = argv[a];
    if (option == "t" || option == "w" || option == "m")
      layout.update = option == "t" ? 0 : option == "w" ? 1 : 2;
    else if (option == "monatsordner")
      layout.monthFolder = true;
    else if (option == "wochenordner")
      layout.weekFolder = true;
    else
      known = false;
  }
  if (!known) {
    std::cerr << "Aufruf: make-log-tree ORDNER ERSTES_JAHR JAHRE [t|w|m] [monatsordner] "
                 "[wochenordner]\n";
    return 2;
  }
  if (!tavik::bench::writeMinuteTree(argv[1], std::atoi(argv[2]), std::atoi(argv[3]), layout)) {
    std::cerr << "make-log-tree: eine Datei konnte nicht geschrieben werden\n";
    return 1;
  }
  return 0;
}
