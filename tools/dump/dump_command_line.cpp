// SPDX-License-Identifier: GPL-3.0-or-later
#include "dump_command_line.h"

#include "common/command_line.h"

namespace tavik {

const char* const kDumpUsage =
    "Aufruf: tavik-dump [--json] [--chunk N] DATEI\n"
    "        tavik-dump [--json] --port GERÄT\n"
    "Liest den Bytestrom der Wetterstation aus DATEI ('-' = Standardeingabe) oder von\n"
    "einer seriellen Schnittstelle (9600 Baud 8N1, bis zum Abbruch), findet die\n"
    "Datengruppen und gibt je Gruppe eine Zeile aus: ihre Art, das Urteil der\n"
    "Prüfsumme und, wenn die Prüfsumme stimmt, jedes Feld, das sie trägt.\n"
    "\n"
    "  --json         jede Gruppe als ein JSON-Objekt je Zeile\n"
    "  --chunk N      eine Datei in Stücken zu N Bytes lesen (Vorgabe 1024)\n"
    "  --port G       die serielle Schnittstelle G lesen (COMn, ein Pfad oder ein\n"
    "                 Name unter /dev/)\n"
    "  -h, --help     diesen Text zeigen\n"
    "  -V, --version  die Version zeigen\n"
    "Optionen mit Wert gehen auch als --chunk=N, --port=G.\n"
    "Rückgabewert 0 am Ende der Eingabe, 2 bei einem falschen Argument oder einer\n"
    "Eingabe, die sich nicht öffnen oder lesen lässt, 1 bei jedem anderen Fehler.\n";

namespace {

enum Option { kJson = 256, kChunk, kPort };

constexpr CommandOption kOptions[] = {{"json", 0, false, kJson},
                                      {"chunk", 0, true, kChunk},
                                      {"port", 0, true, kPort},
                                      {"help", 'h', false, 'h'},
                                      {"version", 'V', false, 'V'}};

void take(DumpCommandLine& c, int option, std::string_view value) {
  switch (option) {
    case kJson:
      c.json = true;
      break;
    case kChunk:
      c.chunk = parseNumber<size_t>("--chunk", value);
      if (c.chunk == 0 || c.chunk > (1u << 24))
        throw UsageError("--chunk muss zwischen 1 und 16777216 liegen");
      break;
    case kPort:
      c.port = value;
      if (c.port.empty()) throw UsageError("--port braucht einen Gerätenamen");
      break;
    case 'h':
      c.help = true;
      break;
    case 'V':
      c.version = true;
      break;
  }
}

void takeFile(DumpCommandLine& c, const std::vector<std::string>& rest) {
  if (rest.size() > 1) throw UsageError("es lässt sich nur eine Datei lesen");
  const bool haveFile = rest.size() == 1;
  if (haveFile == !c.port.empty())
    throw UsageError("entweder eine DATEI oder --port GERÄT angeben");
  if (haveFile) c.file = rest.front();
  if (haveFile && c.file.empty()) throw UsageError("der Dateiname ist leer");
}

}  // namespace

DumpCommandLine parseDumpCommandLine(int argc, char** argv) {
  DumpCommandLine c;
  const std::vector<std::string> rest = parseOptions(
      argc, argv, kOptions, [&c](int option, std::string_view value) { take(c, option, value); });
  if (c.help || c.version) return c;
  takeFile(c, rest);
  return c;
}

}  // namespace tavik
