// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a station archive of one-minute rows for measuring the readers on
// long histories: make-archive DATEI ERSTES_JAHR JAHRE. Prints the rows, the
// time taken, and the file's size per year.
#include <chrono>
#include <cstdlib>
#include <iostream>

#include "minute_archive.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "Aufruf: make-archive DATEI ERSTES_JAHR JAHRE\n";
    return 2;
  }
  const int years = std::atoi(argv[3]);
  const auto begin = std::chrono::steady_clock::now();
  std::string error;
  const long long rows =
      tavik::bench::writeMinuteArchive(argv[1], std::atoi(argv[2]), years, error);
  if (rows < 0) {
    std::cerr << "make-archive: " << error << "\n";
    return 1;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  std::error_code ec;
  const double megabytes = static_cast<double>(std::filesystem::file_size(argv[1], ec)) / 1e6;
  std::cout << rows << " Zeilen in " << seconds << " s ("
            << seconds * 1e6 / static_cast<double>(rows) << " µs je Zeile), " << megabytes
            << " MB, " << megabytes / years << " MB je Jahr\n";
  return 0;
}
