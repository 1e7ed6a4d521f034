#include "sim_command_line.h"

#include "cli/command_line.h"

namespace tavik {

const char* const kSimUsage =
    "Usage: tavik-sim [options]\n"
    "Sends the weather station console's five data groups, wind every 5 s and the\n"
    "others every 10 s, from a changing simulated weather.\n"
    "\n"
    "  (no --out)        create a pseudo-terminal and print its device path first\n"
    "  --link PATH       also make PATH a symbolic link to that pseudo-terminal\n"
    "  --out PATH        write to a device or file instead ('-' = standard output);\n"
    "                    a regular file is written at once, without pauses\n"
    "  --seed N          weather of seed N (default 1)\n"
    "  --speed X         run the simulated time X times as fast (default 1)\n"
    "  --bad-checksums P send a group with a wrong checksum with probability P (0..1)\n"
    "  --noise P         put random bytes before a group with probability P (0..1)\n"
    "  --count N         stop after N groups\n"
    "  --duration S      stop after S seconds of simulated time\n"
    "  --capture FILE    also write everything sent to FILE\n"
    "  --help            show this text\n"
    "Without --count or --duration it runs until SIGINT or SIGTERM.\n";

namespace {

double probability(std::string_view option, std::string_view text) {
  const double p = ParseNumber<double>(option, text);
  if (!(p >= 0 && p <= 1)) throw UsageError(std::string(option) + " must lie between 0 and 1");
  return p;
}

}  // namespace

SimCommandLine ParseSimCommandLine(int argc, char** argv) {
  SimCommandLine c;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help") {
      c.help = true;
    } else if (arg == "--seed") {
      c.simulator.seed = ParseNumber<uint64_t>(arg, OptionValue(argc, argv, i));
    } else if (arg == "--speed") {
      c.speed = ParseNumber<double>(arg, OptionValue(argc, argv, i));
      if (!(c.speed > 0 && c.speed <= 1e6))
        throw UsageError("--speed must lie above 0 and at most 1000000");
    } else if (arg == "--bad-checksums") {
      c.simulator.badChecksums = probability(arg, OptionValue(argc, argv, i));
    } else if (arg == "--noise") {
      c.simulator.noise = probability(arg, OptionValue(argc, argv, i));
    } else if (arg == "--count") {
      c.count = ParseNumber<uint64_t>(arg, OptionValue(argc, argv, i));
    } else if (arg == "--duration") {
      c.duration = ParseNumber<double>(arg, OptionValue(argc, argv, i));
      if (!(*c.duration >= 0)) throw UsageError("--duration must not be negative");
    } else if (arg == "--out") {
      c.out = std::string(OptionValue(argc, argv, i));
    } else if (arg == "--link") {
      c.link = OptionValue(argc, argv, i);
    } else if (arg == "--capture") {
      c.capture = OptionValue(argc, argv, i);
    } else {
      throw UsageError("unknown argument: " + std::string(arg));
    }
  }
  if (c.out && !c.link.empty())
    throw UsageError("--link is for the pseudo-terminal; it cannot go with --out");
  return c;
}

}  // namespace tavik
