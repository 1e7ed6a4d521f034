// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "common/notifier.h"
#include "settings/settings.h"

namespace tavik {

// What the main window takes into the settings when the APRS or the ASYNOP
// dialog is closed with OK. Each dialog hands over its controls as a plain value struct; the steps
// run in a fixed order and a field that cannot be taken stops the rule there with a message: the
// settings taken before it keep their new values, the rest stay as they were. Each function returns
// true when every step was taken.

// A product file's path split for its dialog: the folder with its trailing
// "/" ("" when the path has none) and the file name.
struct FolderAndName {
  std::string folder;
  std::string name;
};
FolderAndName splitProductPath(std::string_view path);

// The APRS dialog ("APRS ").
struct AprsFields {
  int timeSource = 0;    // "Verwendete Zeiteinstellung": 0 "Wetterstation", 1 "Rechner"
  std::string folder;    // "Zielordner für APRS-Datei"
  std::string fileName;  // "Dateiname"
  std::string interval;  // "APRS-Datei alle ... Minuten erstellen."
  int lineEnd = 0;       // "Zeilenende": 0 "CR LF", 1 "LF"
};

// APRSRechnerZeit; APRSDatei = folder and file name joined with "/" (an
// empty folder or a file name that is no plain name is refused); then
// APRSIntervall, an integer of 0..65535 minutes; APRSZeilenende "LF" or
// "CRLF".
bool takeOverAprs(const AprsFields& fields, Settings& settings, Notifier& notifier);

// The ASYNOP dialog ("ASYNOP"), both tabs.
struct AsynopFields {
  std::string folder;     // "Zielordner für ASYNOP-Datei"
  std::string fileName;   // "Dateiname"
  std::string sender;     // "Absender"
  std::string recipient;  // "Empfänger"
  int interval = 0;       // "Intervall": 0 "Tageszusammenfassung", 1 "4x pro Tag"; -1 none
  std::string lineBelow;  // "Zeile unter den Wetterdaten"
  std::string lineAbove;  // "Zeile über Wetterdaten"
  bool archive = false;   // "ASYNOP Dateien archivieren"
  std::string latitude;   // tenths of a degree
  std::string longitude;
  std::string quadrant;      // "Erdquadrant (DL=1)"
  bool weekFolder = false;   // "Einen Ordner für jede Woche anlegen"
  bool monthFolder = false;  // "Einen Ordner für jeden Monat anlegen"
};

// ASYNOPDatei (joined and checked as for APRS); recipient and sender;
// ASYNOPIntervall (kept when none is chosen); the lines below and above the
// data; ASYNOPArchiv; latitude, longitude and the quadrant, which must be one
// of the codes 1, 3, 5 and 7; the week and month folder flags.
bool takeOverAsynop(const AsynopFields& fields, Settings& settings, Notifier& notifier);

}  // namespace tavik
