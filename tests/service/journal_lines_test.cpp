// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/journal_lines.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>

#include "service/station_service.h"

namespace tavik {
namespace {

Priority warnOnStop(std::string_view line) {
  return line.starts_with("Station: keine") ? Priority::Warning : Priority::Notice;
}

std::string through(bool journal, const std::string& written) {
  std::stringstream target;
  {
    JournalLineBuffer buffer(*target.rdbuf(), journal, warnOnStop);
    std::ostream out(&buffer);
    out << written << std::flush;
  }
  return target.str();
}

TEST(JournalLinesTest, EveryLineCarriesItsPriorityForTheJournalOnly) {
  const std::string written = withPriority(Priority::Failure, "APRS: Fehler\nzweite Zeile") +
                              "Station: keine Daten seit 14:05\nStation: Daten wieder da";
  EXPECT_EQ(through(true, written),
            "<3>APRS: Fehler\n<3>zweite Zeile\n<4>Station: keine Daten seit 14:05\n"
            "<6>Station: Daten wieder da\n");
  EXPECT_EQ(through(false, written),
            "APRS: Fehler\nzweite Zeile\nStation: keine Daten seit 14:05\n"
            "Station: Daten wieder da\n");
  // A line written in pieces is still one line with one prefix.
  EXPECT_EQ(through(true, "Comport: /dev/ttyS0"), "<6>Comport: /dev/ttyS0\n");
  EXPECT_EQ(through(true, ""), "");
}

TEST(JournalLinesTest, JournalStreamMustNameTheDeviceAndInodeOfStandardError) {
  EXPECT_TRUE(journalStreamNames("8:12345", 8, 12345));
  EXPECT_FALSE(journalStreamNames("8:12346", 8, 12345));
  EXPECT_FALSE(journalStreamNames("9:12345", 8, 12345));
  for (const char* bad : {"", ":", "8:", ":12345", "8:12345x", "x8:12345", "812345"}) {
    EXPECT_FALSE(journalStreamNames(bad, 8, 12345)) << bad;
  }
  EXPECT_FALSE(journalStreamNames(nullptr, 8, 12345));
}

TEST(JournalLinesTest, StatusFollowsThePort) {
  EXPECT_EQ(serviceStatus(false, "/dev/ttyUSB0", false, std::nullopt),
            "warte auf Port /dev/ttyUSB0");
  EXPECT_EQ(serviceStatus(true, "/dev/ttyUSB0", false, std::nullopt), "liest /dev/ttyUSB0");
  EXPECT_EQ(serviceStatus(true, "/dev/ttyUSB0", true, LocalDateTime{2026, 12, 8, 14, 5, 30, 0}),
            "keine Daten seit 14:05 an /dev/ttyUSB0");
  EXPECT_EQ(serviceStatus(true, "/dev/ttyUSB0", true, std::nullopt),
            "keine Daten seit dem Start an /dev/ttyUSB0");
}

}  // namespace
}  // namespace tavik
