// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_command_line.h"

#include "common/command_line.h"

namespace tavik {

const char* const kSimUsage =
    "Aufruf: tavik-sim [Optionen]\n"
    "Sendet die fünf Datengruppen der Wetterstation, Wind alle 5 s und die übrigen\n"
    "alle 10 s, aus einem sich wandelnden simulierten Wetter.\n"
    "\n"
    "  (ohne --out)        ein Pseudo-Terminal anlegen und zuerst seinen Gerätepfad\n"
    "                      ausgeben\n"
    "  --link PFAD         PFAD zusätzlich zu einem symbolischen Link auf dieses\n"
    "                      Pseudo-Terminal machen\n"
    "  --out PFAD          statt dessen auf ein Gerät oder in eine Datei schreiben\n"
    "                      ('-' = Standardausgabe); eine gewöhnliche Datei wird\n"
    "                      sofort, ohne Pausen, geschrieben\n"
    "  --seed N            Wetter zum Startwert N (Vorgabe 1)\n"
    "  --clock JJJJ-MM-TTTHH:MM[:SS]\n"
    "                      die Uhr der Konsole zu diesem Zeitpunkt starten (Vorgabe:\n"
    "                      die Uhr des PCs)\n"
    "  --speed X           die simulierte Zeit X-mal so schnell laufen lassen\n"
    "                      (Vorgabe 1)\n"
    "  --bad-checksums P   eine Gruppe mit Wahrscheinlichkeit P (0..1) mit falscher\n"
    "                      Prüfsumme senden\n"
    "  --noise P           mit Wahrscheinlichkeit P (0..1) Zufallsbytes vor eine\n"
    "                      Gruppe setzen\n"
    "  --count N           nach N Gruppen aufhören\n"
    "  --duration S        nach S Sekunden simulierter Zeit aufhören\n"
    "  --capture DATEI     alles Gesendete zusätzlich in DATEI schreiben\n"
    "  --truth DATEI       je gesendeter Gruppe eine Zeile in DATEI schreiben: der\n"
    "                      Byte-Abstand ihres Gruppenbytes im Strom, das Gruppenbyte\n"
    "                      (hex), \"ok\" oder \"bad\" (Prüfsumme absichtlich falsch)\n"
    "                      und das Rauschen davor als ABSTAND+LÄNGE oder \"-\"\n"
    "  --history DATEI     das Wetter der drei Stunden vor dem Start als Wetterlog\n"
    "                      nach DATEI schreiben (eine Zeile alle 5 Minuten) und dann\n"
    "                      mit diesem Wetter weitersenden\n"
    "  -h, --help          diesen Text zeigen\n"
    "  -V, --version       die Version zeigen\n"
    "Optionen nehmen ihren Wert als --opt WERT oder --opt=WERT. Ohne --count oder\n"
    "--duration läuft das Programm bis SIGINT oder SIGTERM.\n";

namespace {

enum Option : int {
  kSeed = 256,
  kSpeed,
  kBadChecksums,
  kNoise,
  kCount,
  kDuration,
  kOut,
  kLink,
  kCapture,
  kTruth,
  kClock,
  kHistory
};

constexpr CommandOption kOptions[] = {{"help", 'h', false, 'h'},
                                      {"version", 'V', false, 'V'},
                                      {"seed", 0, true, kSeed},
                                      {"speed", 0, true, kSpeed},
                                      {"bad-checksums", 0, true, kBadChecksums},
                                      {"noise", 0, true, kNoise},
                                      {"count", 0, true, kCount},
                                      {"duration", 0, true, kDuration},
                                      {"out", 0, true, kOut},
                                      {"link", 0, true, kLink},
                                      {"capture", 0, true, kCapture},
                                      {"truth", 0, true, kTruth},
                                      {"clock", 0, true, kClock},
                                      {"history", 0, true, kHistory}};

double probability(std::string_view option, std::string_view text) {
  const double p = parseNumber<double>(option, text);
  if (!(p >= 0 && p <= 1)) throw UsageError(std::string(option) + " muss zwischen 0 und 1 liegen");
  return p;
}

std::string path(std::string_view option, std::string_view text) {
  if (text.empty()) throw UsageError(std::string(option) + " braucht einen Pfad");
  return std::string(text);
}

void take(SimCommandLine& c, int option, std::string_view value) {
  switch (option) {
    case 'h':
      c.help = true;
      break;
    case 'V':
      c.version = true;
      break;
    case kSeed:
      c.simulator.seed = parseNumber<uint64_t>("--seed", value);
      break;
    case kSpeed:
      c.speed = parseNumber<double>("--speed", value);
      if (!(c.speed > 0 && c.speed <= 1e6))
        throw UsageError("--speed muss über 0 und höchstens 1000000 sein");
      break;
    case kBadChecksums:
      c.simulator.badChecksums = probability("--bad-checksums", value);
      break;
    case kNoise:
      c.simulator.noise = probability("--noise", value);
      break;
    case kCount:
      c.count = parseNumber<uint64_t>("--count", value);
      break;
    case kDuration:
      c.duration = parseNumber<double>("--duration", value);
      if (!(*c.duration >= 0)) throw UsageError("--duration darf nicht negativ sein");
      break;
    case kOut:
      c.out = path("--out", value);
      break;
    case kLink:
      c.link = path("--link", value);
      break;
    case kCapture:
      c.capture = path("--capture", value);
      break;
    case kTruth:
      c.truth = path("--truth", value);
      break;
    case kHistory:
      c.history = path("--history", value);
      break;
    case kClock:
      c.clock = parseClockStart(value);
      if (!c.clock) throw UsageError("--clock braucht einen Zeitpunkt JJJJ-MM-TTTHH:MM[:SS]");
      break;
  }
}

}  // namespace

SimCommandLine parseSimCommandLine(int argc, char** argv) {
  SimCommandLine c;
  const std::vector<std::string> rest = parseOptions(
      argc, argv, kOptions, [&c](int option, std::string_view value) { take(c, option, value); });
  if (!rest.empty()) throw UsageError("unerwartetes Argument: " + rest.front());
  if (c.out && !c.link.empty())
    throw UsageError("--link gilt dem Pseudo-Terminal und geht nicht mit --out");
  return c;
}

}  // namespace tavik
