// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a Wetterlog tree of one-minute rows for measuring the tools on long
// histories: make-log-tree FOLDER FIRST_YEAR YEARS.
#include <cstdlib>
#include <iostream>

#include "minute_log_tree.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "Aufruf: make-log-tree ORDNER ERSTES_JAHR JAHRE\n";
    return 2;
  }
  if (!tavik::bench::writeMinuteTree(argv[1], std::atoi(argv[2]), std::atoi(argv[3]))) {
    std::cerr << "make-log-tree: eine Datei konnte nicht geschrieben werden\n";
    return 1;
  }
  return 0;
}
