// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/journal_lines.h"

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

// The lines both programs write, each with the priority it must carry.
TEST(JournalLinesTest, LinesAreFiledByWhatTheySay) {
  const struct {
    const char* line;
    Priority priority;
  } lines[] = {
      {"Station: keine Daten seit 14:05 (letzte gute Datengruppe)", Priority::Warning},
      {"Station: Daten wieder da seit 14:09", Priority::Notice},
      {"Unmögliche Werte verworfen: Datengruppe 0x9F (TempOut)", Priority::Warning},
      {"MQTT: verbunden mit 127.0.0.1:1883, Thema tavik/dl1abc", Priority::Notice},
      {"MQTT: Verbindung zu 127.0.0.1:1883 verloren: Verbindung getrennt", Priority::Warning},
      {"MQTT: keine Verbindung zu 127.0.0.1:1883: Verbindung abgelehnt", Priority::Warning},
      {"MQTT: keine Verbindung zu 127.0.0.1:1883: Anmeldung abgelehnt: Benutzername oder "
       "Passwort falsch",
       Priority::Warning},
      {"MQTT: Verbindung zu 127.0.0.1:1883 wieder hergestellt", Priority::Notice},
      {"MQTT: ausgeschaltet", Priority::Notice},
      {"MQTT: Die MQTT-Passwortdatei /x kann nicht gelesen werden: die Datei gibt es nicht.",
       Priority::Failure},
      {"CWOP: Senden fehlgeschlagen: Anmeldung abgelehnt, der Server sagt: logresp DL1ABC "
       "unverified, server T2TEST",
       Priority::Warning},
      {"CWOP: gesendet: logresp DL1ABC verified, server T2TEST", Priority::Notice},
      {"CWOP: wieder gesendet: logresp DL1ABC verified, server T2TEST", Priority::Notice},
      {"CWOP: ausgeschaltet", Priority::Notice},
      {"WU: Senden fehlgeschlagen: keine Stations-ID (WUStationID)", Priority::Warning},
      {"WU: gesendet: success", Priority::Notice},
      {"WU: wieder gesendet: success", Priority::Notice},
      {"WU: ausgeschaltet", Priority::Notice},
      {"Comport: /dev/ttyUSB0 ist jetzt geöffnet.", Priority::Notice},
      {"Comport belegt: /dev/ttyUSB0 kann nich geöffnet werden.", Priority::Failure},
      {"Wetterlog: Fehler beim Schreiben des Wetterlogs", Priority::Failure},
      {"ASYNOP: Fehler beim Erstellen der ASYNOP-Datei", Priority::Failure},
      {"Wieder geschrieben: Wetterlog", Priority::Notice},
      {"Das Archiv wird wieder geschrieben: /var/lib/tavik/archiv.db", Priority::Notice},
      {"JETZT: Noch nicht alle Datengruppen da. Geschrieben wurde, was bisher vorliegt.",
       Priority::Warning},
      {"tavout.ini nicht übernommen: Zeile 3 ist zu lang.", Priority::Warning},
      {"TAVIK_CLOCK_START=morgen ist kein Zeitpunkt", Priority::Warning},
      {"etwas Unbekanntes", Priority::Failure},
  };
  for (const auto& l : lines) EXPECT_EQ(linePriority(l.line), l.priority) << l.line;
  // A message of several lines keeps the priority of its first on each.
  EXPECT_EQ(
      messageLine("Comport belegt",
                  "/dev/pts/7 kann nich geöffnet werden.\nDas Gerät /dev/pts/7 gibt es nicht."),
      "<3>Comport belegt: /dev/pts/7 kann nich geöffnet werden.\n"
      "<3>Das Gerät /dev/pts/7 gibt es nicht.\n");
  EXPECT_EQ(messageLine("JETZT", "Geschrieben wurde, was bisher vorliegt."),
            "<4>JETZT: Geschrieben wurde, was bisher vorliegt.\n");
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
