// SPDX-License-Identifier: GPL-3.0-or-later
#include "log_command_line.h"

#include "cli/command_line.h"

namespace tavik {

const char* const kLogUsage =
    "Aufruf: tavik-log days|months [--json] [--from JJJJ-MM-TT] [--to JJJJ-MM-TT] PFAD...\n"
    "        tavik-log noaa --month JJJJ-MM | --year JJJJ PFAD...|--archive DATEI\n"
    "        tavik-log days|months|query --archive DATEI [--json] [--from JJJJ-MM-TT]\n"
    "                  [--to JJJJ-MM-TT]\n"
    "        tavik-log import --archive DATEI PFAD...\n"
    "Fasst Wetterlog-Dateien zusammen: PFAD ist eine Wetterlog-Datei oder ein Ordner,\n"
    "in dem samt Unterordnern jede Wetterlog-Datei gelesen wird. Zeilen, die in\n"
    "mehreren Dateien stehen, zählen einmal.\n"
    "\n"
    "  days       eine Zeile je Tag: Anzahl der Zeilen, je Spalte Minimum, Maximum\n"
    "             und Mittel, für WindR die vorherrschende Richtung\n"
    "  months     dasselbe je Kalendermonat, mit der Zahl der Tage\n"
    "  noaa       die klimatologische Monats- (--month) oder Jahresübersicht (--year)\n"
    "             im Textformat der Wetterdienste, metrisch\n"
    "  query      die Zeilen des Archivs im Zeitraum, eine je Archivintervall\n"
    "  import     liest Wetterlog-Dateien ins Archiv; Zeilen, die es schon hat,\n"
    "             werden übersprungen; am Ende eine Zusammenfassung\n"
    "  --archive DATEI  das Archiv der Station (archive.sqlite) statt Wetterlog-Pfaden\n"
    "  --json     ein JSON-Objekt je Zeile statt der Tabelle\n"
    "  --from D   erst ab dem Tag D (JJJJ-MM-TT)\n"
    "  --to D     nur bis zum Tag D (JJJJ-MM-TT)\n"
    "  -h, --help     diesen Text zeigen\n"
    "  -V, --version  die Version zeigen\n"
    "\n"
    "Unlesbare Zeilen stehen mit Datei und Zeilennummer auf der Standardfehlerausgabe.\n"
    "Rückgabewert 0; 1 wenn das Archiv nicht gelesen oder geschrieben werden kann;\n"
    "2 bei einem falschen Argument oder einem Pfad ohne Wetterlog.\n";

namespace {

enum Option { kJson = 256, kFrom, kTo, kMonth, kYear, kArchive };

constexpr option kOptions[] = {{"json", no_argument, nullptr, kJson},
                               {"from", required_argument, nullptr, kFrom},
                               {"to", required_argument, nullptr, kTo},
                               {"help", no_argument, nullptr, 'h'},
                               {"version", no_argument, nullptr, 'V'},
                               {"month", required_argument, nullptr, kMonth},
                               {"year", required_argument, nullptr, kYear},
                               {"archive", required_argument, nullptr, kArchive},
                               {nullptr, 0, nullptr, 0}};

LogDate dateOption(const char* option, std::string_view text) {
  const std::optional<LogDate> date = parseIsoDate(std::string(text));
  if (!date) {
    throw UsageError(std::string(option) + ": kein Datum der Form JJJJ-MM-TT: '" +
                     std::string(text) + "'");
  }
  return *date;
}

// "2026-03" for --month, "2026" for --year.
void periodOption(LogCommandLine& c, int option, std::string_view value) {
  const std::string text(value);
  const bool month = option == kMonth;
  const size_t length = month ? 7 : 4;
  bool ok = text.size() == length && (!month || text[4] == '-');
  for (size_t i = 0; ok && i < length; ++i) ok = i == 4 || (text[i] >= '0' && text[i] <= '9');
  if (ok) {
    c.noaaYear = std::stoi(text.substr(0, 4));
    c.noaaMonth = month ? std::stoi(text.substr(5, 2)) : 0;
  }
  if (!ok || c.noaaYear == 0 || c.noaaMonth > 12 || (month && c.noaaMonth == 0)) {
    throw UsageError(month ? "--month: kein Monat der Form JJJJ-MM: '" + text + "'"
                           : "--year: kein Jahr der Form JJJJ: '" + text + "'");
  }
}

void take(LogCommandLine& c, int option, std::string_view value) {
  switch (option) {
    case kJson:
      c.json = true;
      break;
    case kFrom:
      c.from = dateOption("--from", value);
      break;
    case kTo:
      c.to = dateOption("--to", value);
      break;
    case 'h':
      c.help = true;
      break;
    case 'V':
      c.version = true;
      break;
    case kMonth:
    case kYear:
      periodOption(c, option, value);
      break;
    case kArchive:
      if (value.empty()) throw UsageError("--archive: keine DATEI angegeben");
      c.archive = std::string(value);
      break;
  }
}

void takeCommandAndPaths(LogCommandLine& c, std::vector<std::string> words) {
  if (words.empty()) throw UsageError("days oder months fehlt");
  c.noaa = words.front() == "noaa";
  c.query = words.front() == "query";
  c.import = words.front() == "import";
  if ((c.query || c.import) && c.archive.empty())
    throw UsageError(words.front() + " braucht --archive DATEI");
  if (!c.archive.empty()) {
    if (c.noaa && c.noaaYear == 0) throw UsageError("noaa braucht --month oder --year");
    if (!c.noaa && c.noaaYear != 0) throw UsageError("--month und --year gelten nur für noaa");
    c.period = words.front() == "months" ? SummaryPeriod::Month : SummaryPeriod::Day;
    if (!c.import && !c.query && !c.noaa && words.front() != "days" && words.front() != "months")
      throw UsageError("unbekannter Befehl '" + words.front() +
                       "' (days, months, query oder import)");
    c.paths.assign(words.begin() + 1, words.end());
    if (c.import && c.paths.empty()) throw UsageError("kein PFAD angegeben");
    if (!c.import && !c.paths.empty())
      throw UsageError("mit --archive liest " + words.front() + " keinen PFAD: '" +
                       c.paths.front() + "'");
    for (const std::string& path : c.paths)
      if (path.empty()) throw UsageError("ein PFAD ist leer");
    if (c.from && c.to && *c.to < *c.from) throw UsageError("--to liegt vor --from");
    return;
  }
  if (c.noaa != (c.noaaYear != 0)) {
    throw UsageError(c.noaa ? "noaa braucht --month oder --year"
                            : "--month und --year gelten nur für noaa");
  }
  if (c.noaa || words.front() == "days") {
    c.period = SummaryPeriod::Day;
  } else if (words.front() == "months") {
    c.period = SummaryPeriod::Month;
  } else {
    throw UsageError("unbekannter Befehl '" + words.front() + "' (days, months oder noaa)");
  }
  c.paths.assign(words.begin() + 1, words.end());
  if (c.paths.empty()) throw UsageError("kein PFAD angegeben");
  for (const std::string& path : c.paths) {
    if (path.empty()) throw UsageError("ein PFAD ist leer");
  }
  if (c.from && c.to && *c.to < *c.from) throw UsageError("--to liegt vor --from");
}

}  // namespace

std::optional<LogDate> parseIsoDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  for (const size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  }
  const LogDate d{std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)),
                  std::stoi(text.substr(8, 2))};
  if (!isValidDate(d.year, d.month, d.day)) return std::nullopt;
  return d;
}

LogCommandLine parseLogCommandLine(int argc, char** argv) {
  LogCommandLine c;
  std::vector<std::string> words = parseOptions(
      argc, argv, kOptions, [&c](int option, std::string_view value) { take(c, option, value); });
  if (c.help || c.version) return c;
  takeCommandAndPaths(c, std::move(words));
  return c;
}

}  // namespace tavik
