// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_command_line.h"

#include "cli/command_line.h"

namespace tavik {

const char* const kSimUsage =
    "Usage: tavik-sim [options]\n"
    "Sends the weather station console's five data groups, wind every 5 s and the\n"
    "others every 10 s, from a changing simulated weather.\n"
    "\n"
    "  (no --out)          create a pseudo-terminal and print its device path first\n"
    "  --link PATH         also make PATH a symbolic link to that pseudo-terminal\n"
    "  --out PATH          write to a device or file instead ('-' = standard output);\n"
    "                      a regular file is written at once, without pauses\n"
    "  --seed N            weather of seed N (default 1)\n"
    "  --speed X           run the simulated time X times as fast (default 1)\n"
    "  --bad-checksums P   send a group with a wrong checksum with probability P (0..1)\n"
    "  --noise P           put random bytes before a group with probability P (0..1)\n"
    "  --count N           stop after N groups\n"
    "  --duration S        stop after S seconds of simulated time\n"
    "  --capture FILE      also write everything sent to FILE\n"
    "  --truth FILE        write one line per group sent to FILE: the byte offset of\n"
    "                      its group byte in the stream, the group byte (hex), \"ok\"\n"
    "                      or \"bad\" (checksum made wrong on purpose), and the noise\n"
    "                      before it as OFFSET+LENGTH or \"-\"\n"
    "  -h, --help          show this text\n"
    "  -V, --version       show the version\n"
    "Options take their value as --opt VALUE or --opt=VALUE. Without --count or\n"
    "--duration it runs until SIGINT or SIGTERM.\n";

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
  kTruth
};

constexpr option kOptions[] = {{"help", no_argument, nullptr, 'h'},
                               {"version", no_argument, nullptr, 'V'},
                               {"seed", required_argument, nullptr, kSeed},
                               {"speed", required_argument, nullptr, kSpeed},
                               {"bad-checksums", required_argument, nullptr, kBadChecksums},
                               {"noise", required_argument, nullptr, kNoise},
                               {"count", required_argument, nullptr, kCount},
                               {"duration", required_argument, nullptr, kDuration},
                               {"out", required_argument, nullptr, kOut},
                               {"link", required_argument, nullptr, kLink},
                               {"capture", required_argument, nullptr, kCapture},
                               {"truth", required_argument, nullptr, kTruth},
                               {nullptr, 0, nullptr, 0}};

double probability(std::string_view option, std::string_view text) {
  const double p = ParseNumber<double>(option, text);
  if (!(p >= 0 && p <= 1)) throw UsageError(std::string(option) + " must lie between 0 and 1");
  return p;
}

std::string path(std::string_view option, std::string_view text) {
  if (text.empty()) throw UsageError(std::string(option) + " needs a path");
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
      c.simulator.seed = ParseNumber<uint64_t>("--seed", value);
      break;
    case kSpeed:
      c.speed = ParseNumber<double>("--speed", value);
      if (!(c.speed > 0 && c.speed <= 1e6))
        throw UsageError("--speed must lie above 0 and at most 1000000");
      break;
    case kBadChecksums:
      c.simulator.badChecksums = probability("--bad-checksums", value);
      break;
    case kNoise:
      c.simulator.noise = probability("--noise", value);
      break;
    case kCount:
      c.count = ParseNumber<uint64_t>("--count", value);
      break;
    case kDuration:
      c.duration = ParseNumber<double>("--duration", value);
      if (!(*c.duration >= 0)) throw UsageError("--duration must not be negative");
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
  }
}

}  // namespace

SimCommandLine ParseSimCommandLine(int argc, char** argv) {
  SimCommandLine c;
  const std::vector<std::string> rest = ParseOptions(
      argc, argv, kOptions, [&c](int option, std::string_view value) { take(c, option, value); });
  if (!rest.empty()) throw UsageError("unexpected argument: " + rest.front());
  if (c.out && !c.link.empty())
    throw UsageError("--link is for the pseudo-terminal; it cannot go with --out");
  return c;
}

}  // namespace tavik
